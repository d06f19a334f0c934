#include "gui/app/Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <utility>
#include <vector>

// Every Japanese text the program shows has its English: each is marked for the translation
// tools, and the English file has a finished translation for each. A text added later
// without either fails here, with its place.

namespace tavrin {
namespace {

const QString SourceDir = QStringLiteral(TAVRIN_SOURCE_DIR);

// Code points of Japanese script (kana, kanji, CJK and full-width punctuation, circled
// numbers).
bool IsJapanese(char32_t c) {
    return (c >= 0x3000 && c <= 0x30FF) || (c >= 0x3400 && c <= 0x4DBF) ||
           (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xFF00 && c <= 0xFFEF) ||
           (c >= 0x2460 && c <= 0x24FF);
}

bool HasJapanese(const QString& text) {
    for (const char32_t c : text.toUcs4())
        if (IsJapanese(c))
            return true;
    return false;
}

// The calls whose string arguments the translation tools take.
const std::set<std::string> Markers = {
    "tr",        "translate",     "QT_TR_NOOP", "QT_TRANSLATE_NOOP", "QT_TRANSLATE_NOOP3",
    "TAVRIN_TR", "TAVRIN_TR_NOOP"};

// Japanese texts in the code that are not shown in the window, with the reason.
struct Exception {
    const char* file;
    const char* text;
};
const Exception Exceptions[] = {
    // The commented example of the [STATE] section written into tavrin.ini.
    {"src/core/palette/CStateFile.cpp", "エミュレータのセーブデータを開く"},
};

struct Literal {
    int line;
    QString text;
    std::string call; // the innermost call the literal is an argument of
};

// The string literals of a C++ file (comments skipped, raw strings read whole), each with
// the name of the call whose parentheses hold it.
std::vector<Literal> StringLiterals(const QByteArray& code) {
    std::vector<Literal> literals;
    std::vector<std::string> calls;
    std::string identifier;
    int line = 1;
    const int n = static_cast<int>(code.size());
    for (int i = 0; i < n; ++i) {
        const char c = code[i];
        if (c == '\n')
            ++line;
        if (c == '/' && i + 1 < n && code[i + 1] == '/') {
            while (i < n && code[i] != '\n')
                ++i;
            ++line;
            continue;
        }
        if (c == '/' && i + 1 < n && code[i + 1] == '*') {
            for (i += 2; i + 1 < n && !(code[i] == '*' && code[i + 1] == '/'); ++i)
                line += code[i] == '\n';
            ++i;
            continue;
        }
        if (c == '"') {
            const int start = line;
            QByteArray text;
            const bool raw = identifier.size() >= 1 && identifier.back() == 'R';
            if (raw) {
                const int open = code.indexOf('(', i);
                const QByteArray end = ")" + code.mid(i + 1, open - i - 1) + "\"";
                const int close = code.indexOf(end, open);
                text = code.mid(open + 1, close - open - 1);
                line += text.count('\n');
                i = close + static_cast<int>(end.size()) - 1;
            } else {
                for (++i; i < n && code[i] != '"'; ++i) {
                    if (code[i] == '\\')
                        text += code[i++];
                    text += code[i];
                }
            }
            literals.push_back({start, QString::fromUtf8(text), calls.empty() ? "" : calls.back()});
            identifier.clear();
            continue;
        }
        if (c == '\'' && !(i > 0 && std::isalnum(static_cast<unsigned char>(code[i - 1])))) {
            for (++i; i < n && code[i] != '\''; ++i)
                if (code[i] == '\\')
                    ++i;
            continue;
        }
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '_') {
            if (i == 0 ||
                !(std::isalnum(static_cast<unsigned char>(code[i - 1])) || code[i - 1] == '_'))
                identifier.clear();
            identifier += c;
            continue;
        }
        if (c == '(' || c == '[' || c == '{')
            calls.push_back(c == '(' ? identifier : "");
        else if ((c == ')' || c == ']' || c == '}') && !calls.empty())
            calls.pop_back();
        if (!std::isspace(static_cast<unsigned char>(c)))
            identifier.clear();
    }
    return literals;
}

TEST(Translations, TheScannerSeesWhichTextsAreMarked) {
    const QByteArray code = "f(tr(\"開く\"), QString::fromUtf8(\"閉じる\")); // \"注釈\"\n"
                            "/* \"注釈\" */ g(QT_TRANSLATE_NOOP(\"C\",\n  \"保存\" \"する\"));\n"
                            "auto r = R\"x(生の\"文字列)x\"; char q = '\"';\n";
    std::vector<std::pair<QString, std::string>> found;
    for (const Literal& l : StringLiterals(code))
        if (HasJapanese(l.text))
            found.emplace_back(l.text, l.call);
    const std::vector<std::pair<QString, std::string>> expected = {
        {QStringLiteral("開く"), "tr"},
        {QStringLiteral("閉じる"), "fromUtf8"},
        {QStringLiteral("保存"), "QT_TRANSLATE_NOOP"},
        {QStringLiteral("する"), "QT_TRANSLATE_NOOP"},
        {QStringLiteral("生の\"文字列"), ""}};
    EXPECT_EQ(found, expected);
}

// The command line speaks English; everything else in src/ may reach the window.
TEST(Translations, EveryJapaneseTextInTheCodeIsMarkedForTranslation) {
    QStringList unmarked;
    QDirIterator it(SourceDir + QStringLiteral("/src"),
                    {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                    QDirIterator::Subdirectories);
    int files = 0;
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = QDir(SourceDir).relativeFilePath(path);
        if (relative.startsWith(QStringLiteral("src/cli/")))
            continue;
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        ++files;
        for (const Literal& l : StringLiterals(file.readAll())) {
            if (!HasJapanese(l.text) || Markers.count(l.call))
                continue;
            bool excepted = false;
            for (const Exception& e : Exceptions)
                excepted |=
                    relative == QLatin1String(e.file) && l.text.contains(QString::fromUtf8(e.text));
            if (!excepted)
                unmarked << QStringLiteral("%1:%2: \"%3\"").arg(relative).arg(l.line).arg(l.text);
        }
    }
    EXPECT_GT(files, 100);
    EXPECT_TRUE(unmarked.isEmpty())
        << "Japanese texts not marked with tr(), QT_TRANSLATE_NOOP() or TAVRIN_TR():\n"
        << unmarked.join(QLatin1Char('\n')).toStdString();
}

// Texts the program quotes in English: the Japanese window shows them as they are (typos
// included), the English file may spell them right.
const char* const QuotedEnglish[] = {
    "ROM image|@@@|All files|*.*", "Failed to copy image to clipboard.",
    "CHR : %06X - %06X / %06X",    "Pattern : ADF[%02X] = %02X ",
    "Unknown Address Type.",       "not found.",
    "Windws default : ",           "Charactor width       \\t: ",
    "Charactor height      \\t: ",
};

// A marked text with English words and no Japanese would show English in the Japanese
// window; contexts ("Editor", "tavrin::MainWindow") are names, not texts.
TEST(Translations, NoMarkedTextIsEnglishOnlyUnlessQuoted) {
    static const QRegularExpression name(QStringLiteral("^[A-Za-z_:]+$"));
    static const QRegularExpression letter(QStringLiteral("[A-Za-z]"));
    QStringList english;
    QDirIterator it(SourceDir + QStringLiteral("/src"),
                    {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = QDir(SourceDir).relativeFilePath(path);
        if (relative.startsWith(QStringLiteral("src/cli/")))
            continue;
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        for (const Literal& l : StringLiterals(file.readAll())) {
            // Escapes ("\n") are no words.
            const QString words =
                QString(l.text).remove(QRegularExpression(QStringLiteral("\\\\.")));
            if (!Markers.count(l.call) || HasJapanese(l.text) || name.match(l.text).hasMatch() ||
                !letter.match(words).hasMatch())
                continue;
            bool quoted = false;
            for (const char* q : QuotedEnglish)
                quoted |= l.text == QString::fromUtf8(q);
            if (!quoted)
                english << QStringLiteral("%1:%2: \"%3\"").arg(relative).arg(l.line).arg(l.text);
        }
    }
    EXPECT_TRUE(english.isEmpty()) << "English-only texts marked for the Japanese window:\n"
                                   << english.join(QLatin1Char('\n')).toStdString();
}

// lupdate, run as the update_translations target runs it, on a copy of the English file:
// each Japanese source text must come out with a finished English translation.
TEST(Translations, EveryMarkedJapaneseTextHasItsEnglish) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString ts = dir.filePath(QStringLiteral("tavrin_en.ts"));
    ASSERT_TRUE(QFile::copy(SourceDir + QStringLiteral("/translations/tavrin_en.ts"), ts));
    QFile::setPermissions(ts, QFile::ReadOwner | QFile::WriteOwner);
    QProcess lupdate;
    lupdate.setWorkingDirectory(SourceDir);
    lupdate.setProcessChannelMode(QProcess::MergedChannels);
    lupdate.start(QStringLiteral(TAVRIN_LUPDATE),
                  {QStringLiteral("-silent"), QStringLiteral("-locations"), QStringLiteral("none"),
                   QStringLiteral("-no-obsolete"), QStringLiteral("-recursive"),
                   QStringLiteral("src"), QStringLiteral("-extensions"), QStringLiteral("cpp,h"),
                   QStringLiteral("-tr-function-alias"),
                   QStringLiteral("QT_TRANSLATE_NOOP+=TAVRIN_TR,QT_TRANSLATE_NOOP+=TAVRIN_TR_NOOP"),
                   QStringLiteral("-source-language"), QStringLiteral("ja"),
                   QStringLiteral("-target-language"), QStringLiteral("en"), QStringLiteral("-ts"),
                   ts});
    ASSERT_TRUE(lupdate.waitForFinished(60000));
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAll().toStdString();

    QFile file(ts);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QString context, source;
    int japanese = 0;
    QStringList missing;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name"))
            context = xml.readElementText();
        else if (xml.name() == QLatin1String("source"))
            source = xml.readElementText();
        else if (xml.name() == QLatin1String("translation") && HasJapanese(source)) {
            ++japanese;
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            const QString english = xml.readElementText();
            if (!type.isEmpty() || english.trimmed().isEmpty() || HasJapanese(english))
                missing << context + QStringLiteral(": ") + source;
        }
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_GT(japanese, 250);
    EXPECT_TRUE(missing.isEmpty())
        << "No English in translations/tavrin_en.ts (build the target update_translations and "
           "translate):\n"
        << missing.join(QLatin1Char('\n')).toStdString();
}

TEST(Translations, EnglishIsEmbeddedAndJapaneseNeedsNoTranslator) {
    ASSERT_TRUE(InstallLanguage("en"));
    EXPECT_EQ(InstalledLanguage(), "en");
    EXPECT_EQ(QCoreApplication::translate("ActionTable", "開く(&O)..."),
              QStringLiteral("&Open..."));
    ASSERT_TRUE(InstallLanguage("ja"));
    EXPECT_EQ(QCoreApplication::translate("ActionTable", "開く(&O)..."),
              QString::fromUtf8("開く(&O)..."));
    EXPECT_FALSE(InstallLanguage("fr"));
    EXPECT_EQ(InstalledLanguage(), "ja");
}

} // namespace
} // namespace tavrin
