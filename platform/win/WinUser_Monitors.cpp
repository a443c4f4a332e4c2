// Monitors: the window system's screens, each known by a handle of its own
// for as long as the screen is connected.
#include "platform/graphics/HandleTable.h"
#include "platform/graphics/QtGraphics.h"
#include "platform/win/WinUser.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <limits>
#include <map>

using namespace platform::detail;

namespace {

std::map<QScreen*, HMONITOR>& Monitors()
{
    static std::map<QScreen*, HMONITOR> M;
    return M;
}

HMONITOR MonitorOf(QScreen* S)
{
    if (!S) return nullptr;
    auto& M = Monitors();
    if (auto It = M.find(S); It != M.end()) return It->second;
    const auto H = static_cast<HMONITOR>(AddHandle(hkMonitor, S));
    M.emplace(S, H);
    // A screen that is disconnected takes its handle with it.
    QObject::connect(S, &QObject::destroyed, [S] {
        auto& Live = Monitors();
        if (auto It = Live.find(S); It != Live.end()) {
            RemoveHandle(It->second);
            Live.erase(It);
        }
    });
    return H;
}

// How far apart two rectangles lie (0 when they meet), squared.
long long GapSquared(const QRect& A, const QRect& B)
{
    const long long DX = std::max({0LL, (long long)B.left() - A.right(), (long long)A.left() - B.right()});
    const long long DY = std::max({0LL, (long long)B.top() - A.bottom(), (long long)A.top() - B.bottom()});
    return DX * DX + DY * DY;
}

} // namespace

HMONITOR MonitorFromRect(const TRect* Rect, DWORD Flags)
{
    if (!Rect) return nullptr;
    const QRect R = ToQRect(*Rect).normalized();
    QScreen* Best = nullptr;
    long long BestArea = 0;
    for (QScreen* S : QGuiApplication::screens()) {
        const QRect Common = S->geometry() & R;
        const long long Area = (long long)Common.width() * Common.height();
        if (Area > BestArea) {
            Best = S;
            BestArea = Area;
        }
    }
    if (!Best && Flags == MONITOR_DEFAULTTOPRIMARY) Best = QGuiApplication::primaryScreen();
    if (!Best && Flags == MONITOR_DEFAULTTONEAREST) {
        long long BestGap = std::numeric_limits<long long>::max();
        for (QScreen* S : QGuiApplication::screens())
            if (const long long Gap = GapSquared(S->geometry(), R); Gap < BestGap) {
                Best = S;
                BestGap = Gap;
            }
    }
    return MonitorOf(Best);
}

BOOL GetMonitorInfo(HMONITOR Monitor, MONITORINFO* Info)
{
    auto* S = static_cast<QScreen*>(HandleObject(Monitor, hkMonitor));
    if (!S || !Info) return 0;
    Info->rcMonitor = FromQRect(S->geometry());
    Info->rcWork = FromQRect(S->availableGeometry());
    Info->dwFlags = S == QGuiApplication::primaryScreen() ? MONITORINFOF_PRIMARY : 0;
    return 1;
}
