// Program entry: the application object, its title, the main window and the
// message loop.
#include "platform/controls/Forms.h"

int main(int argc, char** argv)
{
    platform::StartApplication(argc, argv);
    int Result = 0;
    try {
        Application->Initialize();
        Application->SetMainFormOnTaskBar(true);
        Application->SetTitle("Quillmote");
        Application->Run();
    } catch (...) {
        Application->HandleException(Application);
        Result = 1;
    }
    platform::StopApplication();
    return Result;
}
