#include "RunProgram.h"
#include "TestSeams.h"

#include <cstdio>

// The program as the suites start it on Windows: with the user's folders below the scratch
// folder that the suite hands down. Without one it would use the user's own, so it refuses.
int main(int argc, char *argv[])
{
    const QString root = qEnvironmentVariable("TAVREL_TEST_USER_ROOT");
    if (root.isEmpty()) {
        std::fputs("TAVREL_TEST_USER_ROOT names no scratch folder\n", stderr);
        return 2;
    }
    UseUserFoldersForTests(root);
    return RunProgram(argc, argv);
}
