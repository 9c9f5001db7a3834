// The one code-page-to-QString path: the table of each code page says what ICU says, byte for
// byte, and takes its characters back.
#include <QTest>

#include "common/codepage.h"
#include "gui_common/qt_bridge.h"

using gw::gui::CodePageTable;

class QtBridgeTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void tableAgreesWithTheConverterForEveryByte() {
    std::string all(256, '\0');
    for (int b = 0; b < 256; ++b) all[static_cast<std::size_t>(b)] = static_cast<char>(b);
    for (const char* codePage : {"windows-1250", "windows-1251", "windows-1252"}) {
      const QString text = gw::gui::fromCodePage(all, codePage);
      QCOMPARE(text, QString::fromStdString(gw::toUtf8(all, codePage)));
      const CodePageTable& table = CodePageTable::of(codePage);
      QCOMPARE(&table, &CodePageTable::of(codePage));  // made once
      for (int b = 0; b < 256; ++b) {
        const QChar c = text.at(b);
        if (c == QChar(QChar::ReplacementCharacter)) continue;
        QCOMPARE(table.toByte(c), std::optional<char>(static_cast<char>(b)));
      }
    }
  }

  void charactersTheCodePageLacksAreLeftOut() {
    const CodePageTable& cyrillic = CodePageTable::of("windows-1251");
    QCOMPARE(cyrillic.toBytes(QString::fromUtf8("Љу€ßб")), std::string("\x8A\xF3\x88\xE1"));
    QCOMPARE(cyrillic.toByte(QChar(0x00DF)), std::nullopt);  // ß
  }
};

QTEST_MAIN(QtBridgeTest)
#include "qt_bridge_test.moc"
