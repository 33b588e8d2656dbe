#include <windows.h>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // A crash must fail the run, not wait behind an error dialog; started bars inherit this.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
