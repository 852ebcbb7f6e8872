#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // QProcess and the file classes want an application object.
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
