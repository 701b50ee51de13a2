// The tests' entry: unbuffered output, so that a test that hangs and is killed by ctest still shows how far
// it got, and a crash that ends the program at once (under Wine an unhandled fault would otherwise wait in
// the debugger until ctest's time-out).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

namespace {
LONG WINAPI EndOnCrash(EXCEPTION_POINTERS* exception) {
    std::printf("\ncrashed: exception 0x%08lX at %p\n", exception->ExceptionRecord->ExceptionCode,
                exception->ExceptionRecord->ExceptionAddress);
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}
}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    SetUnhandledExceptionFilter(EndOnCrash);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
