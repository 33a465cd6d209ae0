// The crossing between document bytes and Qt strings goes through our own tables.
#include <QtTest>

#include "app/gui/common/qt_text.h"
#include "tests/support/sjis_literal.h"

using qb::gui::QStringToSjis;
using qb::gui::SjisToQString;

class QtTextTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void RoundTripsJapaneseAndHalfWidthKana() {
        const std::string sjis = qb::test::Sjis("日本語ｶﾀｶﾅ、ABC～");
        QCOMPARE(SjisToQString(sjis), QString::fromUtf8("日本語ｶﾀｶﾅ、ABC～"));
        QCOMPARE(QStringToSjis(SjisToQString(sjis)), sjis);
    }
    void KeepsZeroBytesAndMarksBrokenPairs() {
        QCOMPARE(SjisToQString(std::string("a\0b", 3)).size(), 3);
        QCOMPARE(SjisToQString("a\x82"), QString::fromUtf8("a・"));
        QCOMPARE(QStringToSjis(QString::fromUtf8("😀")), std::string("?"));
    }
};

QTEST_MAIN(QtTextTest)
#include "qt_text_test.moc"
