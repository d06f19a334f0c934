#include "core/formats/CFormatTable.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

// The desktop files name every file type Tavrin opens: each extension of the format table
// has a glob in the MIME types, and each of those types is in the menu entry's list.

namespace tavrin {
namespace {

const QString Dist = QStringLiteral(TAVRIN_SOURCE_DIR "/dist/");

// Extensions that also name files of every other kind, left to their own types.
const QSet<QString> LeftAlone = {QStringLiteral("bin"), QStringLiteral("rom"),
                                 QStringLiteral("fig")};

TEST(DesktopFiles, EveryExtensionOfTheFormatTableOpensWithTavrin) {
    QFile mime(Dist + QStringLiteral("org.example.tavrin.mime.xml"));
    ASSERT_TRUE(mime.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&mime);
    QString type;
    QHash<QString, QString> typeOfGlob;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("mime-type"))
            type = xml.attributes().value(QLatin1String("type")).toString();
        else if (xml.isStartElement() && xml.name() == QLatin1String("glob"))
            typeOfGlob.insert(xml.attributes().value(QLatin1String("pattern")).toString(), type);
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();

    QFile desktop(Dist + QStringLiteral("org.example.tavrin.desktop"));
    ASSERT_TRUE(desktop.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString entry = QString::fromUtf8(desktop.readAll());
    const QRegularExpressionMatch line =
        QRegularExpression(QStringLiteral("^MimeType=(.*)$"), QRegularExpression::MultilineOption)
            .match(entry);
    ASSERT_TRUE(line.hasMatch());
    const QStringList listed = line.captured(1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    EXPECT_TRUE(entry.contains(QStringLiteral("\nName=Tavrin")));
    EXPECT_TRUE(entry.contains(QStringLiteral("\nGenericName[ja]=")));

    CFormatTable table;
    QString patterns = QString::fromStdString(table.ExtensionPatterns()) +
                       QStringLiteral("*.1bpp;*.2bpp;*.p2bpp;*.8bpp;*.cgx;");
    int checked = 0;
    for (const QString& glob : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (LeftAlone.contains(glob.mid(2)))
            continue;
        ++checked;
        ASSERT_TRUE(typeOfGlob.contains(glob)) << glob.toStdString() << " has no MIME type";
        EXPECT_TRUE(listed.contains(typeOfGlob.value(glob)))
            << typeOfGlob.value(glob).toStdString() << " is not in the .desktop MimeType";
    }
    EXPECT_GE(checked, 25);
    for (const QString& glob : typeOfGlob.keys())
        EXPECT_TRUE(patterns.contains(glob + QLatin1Char(';'))) << glob.toStdString();
}

} // namespace
} // namespace tavrin
