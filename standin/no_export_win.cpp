// A Tarvik.DLL that loads but lacks KV_GetRegDevList, for tests.
#include <windows.h>

extern "C" __declspec(dllexport) int WINAPI KV_SomethingElse(int value) {
    return value;
}
