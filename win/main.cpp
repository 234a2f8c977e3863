#include <windows.h>

#include "win/native_program.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    mensora::NativeProgram().run(instance);
    return 0;
}
