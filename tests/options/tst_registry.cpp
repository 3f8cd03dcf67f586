#include "Registry.h"
#include "ScratchRegistry.h"
#include "ScratchUser.h"
#include "TestSupport.h"

#include <QTest>

#include <optional>

namespace {

const QString TestKey = QStringLiteral("Software\\Test");
const QString Default = QStringLiteral("<default>");

} // namespace

class tst_registry : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void roundTrip_data();
    void roundTrip();
    void readCreatesNothing();

private:
    std::optional<ScratchRegistry> registry;
};

void tst_registry::init()
{
    registry.reset();
    registry.emplace();
}

void tst_registry::roundTrip_data()
{
    QTest::addColumn<QString>("keyPath");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("readBack");

    QTest::newRow("three letters") << TestKey << "v"
                                   << "abc"
                                   << "abc";
    QTest::newRow("empty text") << TestKey << "v"
                                << ""
                                << "";
    QTest::newRow("quotes and backslashes") << TestKey << R"(n"a\me)"
                                            << R"(a\b"c)"
                                            << R"(a\b"c)";
    QTest::newRow("non-ASCII") << TestKey << "v" << QString::fromUtf8("Grüße")
                               << QString::fromUtf8("Grüße");
    QTest::newRow("unnamed value") << TestKey << ""
                                   << "x"
                                   << "x";
    QTest::newRow("NUL inside") << TestKey << "v" << QString::fromUtf8("ab\0cd", 5) << "ab";
    QTest::newRow("line break") << TestKey << "v"
                                << "a\r\nb"
                                << "a\r\nb";
    QTest::newRow("deep new path") << "Software\\A\\B\\C"
                                   << "v"
                                   << "x"
                                   << "x";
    const QString longText(40000, u'x');
    QTest::newRow("40000 characters") << TestKey << "v" << longText << longText;
}

// From no key at all: the key and the keys above it are made, and the value reads back.
void tst_registry::roundTrip()
{
    QFETCH(QString, keyPath);
    QFETCH(QString, name);
    QFETCH(QString, value);
    QFETCH(QString, readBack);

    if (QString::fromLocal8Bit(value.toLocal8Bit()) != value)
        QSKIP("the registry's ANSI calls cannot carry this text in this code page");

    QVERIFY(RegWriteString(RegRoot::CurrentUser, keyPath, name, value));
    QCOMPARE(RegReadString(RegRoot::CurrentUser, keyPath, name, Default), readBack);
}

void tst_registry::readCreatesNothing()
{
    QCOMPARE(RegReadString(RegRoot::CurrentUser, TestKey, "v", Default), Default);
    QCOMPARE(RegReadString(RegRoot::LocalMachine, TestKey, "v", Default), Default);
    QVERIFY(registry->IsEmpty());
}

TAVREL_TEST_GUILESS_MAIN(tst_registry)
#include "tst_registry.moc"
