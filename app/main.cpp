#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    MessageBoxW(nullptr, L"開始列舉", L"Folvane Tool", MB_OK);
    return 0;
}
