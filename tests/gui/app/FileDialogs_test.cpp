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

TEST(FileDialogs, ABareNameTakesTheExtensionOfTheChosenFilter) {
    const QStringList filters = QtNameFilters(QString::fromUtf8(
        "NAMファイル|*.nam;|SETファイル|*.set;|VirtuaNES State|*.st?;|全てのファイル|*.*"));
    const struct {
        qsizetype index;
        const char* suffix;
    } cases[] = {{0, "nam"}, {1, "set"}, {2, "dflt"}, {3, "dflt"}, {4, "dflt"}, {-1, "dflt"}};
    for (const auto& c : cases)
        EXPECT_EQ(FilterSuffix(filters, c.index, QStringLiteral("dflt")), QLatin1String(c.suffix))
            << c.index;
    EXPECT_EQ(FilterSuffix({QStringLiteral("ROM (*.bin *.chr)")}, 0, {}), QStringLiteral("bin"));
}

TEST(FileDialogs, TheDocumentsFolderIsWhereTheDialogsOpen) {
    EXPECT_EQ(DocumentFolder("/home/ann/games/a.nes"), QStringLiteral("/home/ann/games"));
    EXPECT_EQ(DocumentFolder(""), QString());
    EXPECT_TRUE(DocumentFolder("b.nes").startsWith(QLatin1Char('/')));
}

TEST(FileDialogs, AnUnpairedTextIsDropped) {
    EXPECT_EQ(QtNameFilters(QStringLiteral("Only text")), QStringList());
    EXPECT_EQ(QtNameFilters(QStringLiteral("A|*.a|B")), QStringList({QStringLiteral("A (*.a)")}));
    EXPECT_EQ(QtNameFilters(QString()), QStringList());
}

} // namespace
} // namespace tavrin
