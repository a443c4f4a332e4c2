// Program entry: the application object, its title, the main window and the
// message loop.
#include "app/Unit1.h"

int main(int argc, char** argv)
{
    platform::StartApplication(argc, argv);
    Unit1::RegisterUnit();
    int Result = 0;
    try {
        Application->Initialize();
        Application->SetMainFormOnTaskBar(true);
        Application->SetTitle("Quillmote");
        Application->CreateForm(Unit1::Form1);
        Application->Run();
    } catch (const Exception& E) {
        Application->ShowException(E);
    } catch (...) {
        Application->ShowException(Exception(""));
    }
    platform::StopApplication();
    return Result;
}
