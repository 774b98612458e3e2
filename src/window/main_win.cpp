#include <windows.h>

#include "form1_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    // A Tarvik.DLL lying in whatever folder the program was started from must
    // not be loaded; the application's folder, the system folders, the
    // Windows folder and PATH stay searched.
    SetDllDirectoryW(L"");
    // A broken library file fails its load quietly instead of raising a box.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);

    if (!Form1.Create(instance)) return 1;
    Form1.Form_Load();
    Form1.Show(showCommand);
    return Form1.Run();
}
