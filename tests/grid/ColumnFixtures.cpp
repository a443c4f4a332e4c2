// tests/grid/ColumnFixtures.cpp
#include "ColumnFixtures.h"

namespace ColumnFixtures {

namespace {

const char* const ChangeKinds[] = {"ccFieldName",      "ccInputChange", "ccPosition", "ccSlideChanged", "ccSorted",
                                   "ccSortTypeChange", "ccUndefined",   "ccVisible",  "ccUnsorted",     "ccWidth"};
const char* const Operations[] = {"opAdd", "opDelete", "opClear", "opInsert", "opMove"};
const char* const NotifyOperations[] = {"ccAlignChange", "cnCaptionChange", "cnColorChange",  "ccDrawingChange",
                                        "cnNameChange",  "cnOptionsChange", "ccVisibleChange"};
const char* const Areas[] = {"gaNone", "gaBody", "gaFooter", "gaHeader", "gaIndicator", "gaInput"};

std::string NameOf(const TGxCustomColumn* Column)
{
    return Column && !Column->GetName().empty() ? Column->GetName() : "?";
}

} // namespace

void TFakeGrid::HookLog()
{
    FColumns->OnColumnChange = [this](TObject*, TGxCustomColumn* Column, TColumnChangeKind Kind, int Param) {
        Log.push_back(std::string(ChangeKinds[Kind]) + " " + NameOf(Column) + " " + std::to_string(Param));
    };
    auto Logger = [this](const char* Event) {
        return [this, Event](TObject*, TColumnsOperation Operation, int Value1, int Value2) {
            Log.push_back(std::string(Event) + " " + Operations[Operation] + " " + std::to_string(Value1) + " " +
                          std::to_string(Value2));
        };
    };
    FColumns->OnChange = Logger("change");
    FColumns->OnRepaint = Logger("repaint");
}

void TFakeGrid::RefreshColumn(TGxCustomColumn* Column, TGridArea Area)
{
    Log.push_back("refresh " + NameOf(Column) + " " + Areas[Area]);
}

void TFakeGrid::Listen(TGxCustomColumn* Column)
{
    Column->RegisterNotification(NotifyProcOf<&TFakeGrid::OnNotify>(this));
}

void TFakeGrid::OnNotify(TGxCustomColumn* Sender, TColumnNotifyOperation Operation)
{
    Log.push_back("notify " + NameOf(Sender) + " " + NotifyOperations[Operation]);
}

TTestColumn* TGridFixture::AddColumn(const AnsiString& Name, int Width)
{
    auto* Column = static_cast<TTestColumn*>(Columns->Add(ColumnClass<TTestColumn>, u""));
    Column->SetName(Name);
    Column->SetWidth(Width);
    return Column;
}

} // namespace ColumnFixtures
