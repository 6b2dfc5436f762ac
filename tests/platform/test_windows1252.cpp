#include <QTest>

#include "database/unicode_text.h"
#include "widgets/windows1252_text.h"

namespace dravelin {

class TestWindows1252 : public QObject {
    Q_OBJECT

private slots:
    void everyByteSurvivesTheRoundTrip()
    {
        Windows1252 codec;
        std::string all;
        for (int byte = 0; byte < 256; ++byte)
            all += static_cast<char>(byte);
        const QString text = codec.decode(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(codec.encode(text), all);
        // The widgets' text is the core table's (checked against Unicode's in the core tests).
        for (int byte = 0; byte < 256; ++byte)
            QCOMPARE(static_cast<char32_t>(text[byte].unicode()),
                     windows1252Character(static_cast<unsigned char>(byte)));
    }

    void lettersMapToTheirUnicodeCharacters_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("e acute") << QByteArray("\xE9") << QStringLiteral("é");
        QTest::newRow("c cedilla") << QByteArray("\xE7") << QStringLiteral("ç");
        QTest::newRow("E acute") << QByteArray("\xC9") << QStringLiteral("É");
        QTest::newRow("euro") << QByteArray("\x80") << QStringLiteral("€");
        QTest::newRow("oe") << QByteArray("\x9C") << QStringLiteral("œ");
        QTest::newRow("undefined 0x81") << QByteArray("\x81") << QString(QChar(0x81));
        QTest::newRow("undefined 0x9D") << QByteArray("\x9D") << QString(QChar(0x9D));
        QTest::newRow("a character outside Windows-1252 becomes ?") << QByteArray("L?") << QStringLiteral("Lł");
    }
    void lettersMapToTheirUnicodeCharacters()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        Windows1252 codec;
        QCOMPARE(QByteArray::fromStdString(codec.encode(text)), bytes);
        if (!bytes.contains('?'))
            QCOMPARE(codec.decode(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))), text);
    }

    void smallLettersBecomeTheirCapitals_data()
    {
        QTest::addColumn<QString>("small");
        QTest::addColumn<QString>("capital");
        QTest::newRow("a") << "a"
                           << "A";
        QTest::newRow("z") << "z"
                           << "Z";
        QTest::newRow("e acute") << "é"
                                 << "É";
        QTest::newRow("e grave") << "è"
                                 << "È";
        QTest::newRow("a grave") << "à"
                                 << "À";
        QTest::newRow("c cedilla") << "ç"
                                   << "Ç";
        QTest::newRow("thorn") << "þ"
                               << "Þ";
        QTest::newRow("s caron") << "š"
                                 << "Š";
        QTest::newRow("oe") << "œ"
                            << "Œ";
        QTest::newRow("z caron") << "ž"
                                 << "Ž";
        QTest::newRow("y diaeresis") << "ÿ"
                                     << "Ÿ";
        QTest::newRow("sharp s stays") << "ß"
                                       << "ß";
        QTest::newRow("micro sign stays") << "µ"
                                          << "µ";
        QTest::newRow("division sign stays") << "÷"
                                             << "÷";
        QTest::newRow("capital stays") << "É"
                                       << "É";
        QTest::newRow("digit stays") << "1"
                                     << "1";
        QTest::newRow("letter outside Windows-1252 stays") << "ł"
                                                           << "ł";
    }
    void smallLettersBecomeTheirCapitals()
    {
        QFETCH(QString, small);
        QFETCH(QString, capital);
        Windows1252 codec;
        QCOMPARE(QString(codec.capitalOf(small[0])), capital);
    }

    // Unicode's own capital of each of the 256 characters, where Windows-1252 holds it, is the
    // capital the directory rule gives.
    void everyByteFoldsAsUnicodeWhereWindows1252HasTheCapital()
    {
        Windows1252 codec;
        for (int byte = 0; byte < 256; ++byte) {
            const QChar character = codec.decode(std::string(1, static_cast<char>(byte)))[0];
            const QChar upper = character.toUpper();
            const std::string upperByte = codec.encode(QString(upper));
            const bool held = upperByte.size() == 1 && codec.decode(upperByte) == QString(upper);
            QCOMPARE(codec.capitalOf(character), held ? upper : character);
        }
    }
};

} // namespace dravelin

QTEST_GUILESS_MAIN(dravelin::TestWindows1252)
#include "test_windows1252.moc"
