#include "gui/app/FileDialogs.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

TEST(FileDialogs, FiltersBecomeQtNameFilters) {
    EXPECT_EQ(QtNameFilters(QStringLiteral("ROM image|*.bin;*.chr;*.smc;*.smc;|All files|*.*")),
              QStringList({QStringLiteral("ROM image (*.bin *.chr *.smc)"),
                           QStringLiteral("All files (*.*)")}));
    EXPECT_EQ(QtNameFilters(QString::fromUtf8("DATパレット|*.dat|全てのファイル|*.*")),
              QStringList({QString::fromUtf8("DATパレット (*.dat)"),
                           QString::fromUtf8("全てのファイル (*.*)")}));
}

TEST(FileDialogs, AnUnpairedTextIsDropped) {
    EXPECT_EQ(QtNameFilters(QStringLiteral("Only text")), QStringList());
    EXPECT_EQ(QtNameFilters(QStringLiteral("A|*.a|B")), QStringList({QStringLiteral("A (*.a)")}));
    EXPECT_EQ(QtNameFilters(QString()), QStringList());
}

} // namespace
} // namespace tavrin
