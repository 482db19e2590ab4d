// The state's tests run inside one QCoreApplication: a submission's outcome comes back to the
// interface thread through its event queue. No display is needed.

#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
