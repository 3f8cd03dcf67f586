// The page from any item texts, in any UTF-16, lone surrogates included. On Linux the page is
// plain US-ASCII; every "&#" begins a decimal reference, closed by ";", to a character that
// exists (never half of one); an address never holds a double quote, which would end the href
// early; every line ends in CR LF, the lines of a text too; and every name, description and
// address on the page reads back, references resolved, as it was held, a lone surrogate as
// U+FFFD and each line break as CR LF.
//
// A user's "&" and "<" are markup on purpose and go onto the page unchanged, so the texts are
// made without them: then every reference on the page is one the writer made, and every tag is
// the writer's own, which lets the check find each item's texts.
#include "FuzzSupport.h"
#include "ItemList.h"
#include "ItemTable.h"
#include "PageOptions.h"
#include "PageText.h"

#include <QByteArray>

#include <array>
#include <optional>

namespace {

struct Item
{
    QString Name;
    QString Description;
    QString URL;
    qint16 Priority = 0;
};

// The input: one code unit whose bits give the number of items (1 to 3) and their priorities
// (0, which is never written, or 1 to 3), then each item's name, description and address, each
// a length and that many code units.
class ItemReader
{
public:
    explicit ItemReader(QString units) : units(std::move(units)) {}

    std::vector<Item> Items()
    {
        const char16_t head = Next();
        std::vector<Item> items(std::size_t(head % 3 + 1));
        for (std::size_t i = 0; i < items.size(); ++i) {
            items[i].Priority = qint16((head >> (2 + 2 * i)) & 3);
            for (QString *text : {&items[i].Name, &items[i].Description, &items[i].URL})
                *text = Text();
        }
        return items;
    }

private:
    char16_t Next() { return pos < units.size() ? units[pos++].unicode() : 0; }
    QString Text()
    {
        const qsizetype length = std::min<qsizetype>(Next(), units.size() - pos);
        QString text = units.mid(pos, length);
        pos += length;
        return text.remove(u'&').remove(u'<');
    }

    QString units;
    qsizetype pos = 0;
};

// The text as the page shows it: a lone surrogate becomes U+FFFD, and a line break, LF, CR or
// CR LF, becomes CR LF.
QString Shown(const QString &text)
{
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            shown += QStringLiteral("\r\n");
        } else if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            shown += c;
            shown += text[++i];
        } else {
            shown += c.isSurrogate() ? QChar(QChar::ReplacementCharacter) : c;
        }
    }
    return shown;
}

// The text of page bytes with every reference resolved; each must be well made.
QString Resolved(QByteArrayView bytes)
{
    QString text;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes.sliced(i).startsWith("&quot;")) {
            text += u'"';
            i += 5;
        } else if (bytes.sliced(i).startsWith("&#")) {
            qsizetype end = i + 2;
            char32_t code = 0;
            while (end < bytes.size() && bytes[end] >= '0' && bytes[end] <= '9' && code <= 0x10FFFF)
                code = code * 10 + char32_t(bytes[end++] - '0');
            Require(end > i + 2, "a reference has digits");
            Require(end < bytes.size() && bytes[end] == ';', "a reference is closed by ';'");
            Require(code >= 0x80 && code <= 0x10FFFF && !QChar::isSurrogate(code),
                    "a reference names a character above US-ASCII");
            text += QChar::fromUcs4(code); // not QString::fromUcs4, which drops a U+FEFF
            i = end;
        } else {
            text += QLatin1Char(bytes[i]);
        }
    }
    return text;
}

// Finds the writer's pieces of the page in order.
class PageCursor
{
public:
    explicit PageCursor(QByteArrayView page) : page(page) {}

    // The bytes between the next start and the end after it.
    QByteArrayView Between(QByteArrayView start, QByteArrayView end)
    {
        const qsizetype from = page.indexOf(start, pos);
        Require(from >= 0, "the page holds each written item");
        const qsizetype begin = from + start.size();
        const qsizetype to = page.indexOf(end, begin);
        Require(to >= 0, "each item's piece is closed");
        pos = to + end.size();
        return page.sliced(begin, to - begin);
    }

private:
    QByteArrayView page;
    qsizetype pos = 0;
};

void CheckItem(PageCursor &cursor, const Item &item)
{
    if (item.URL.isEmpty()) {
        Require(Resolved(cursor.Between("<b>", "</b><br>\r\n")) == Shown(item.Name),
                "the name reads back");
    } else {
        // The address ends at the first double quote after href=", which must be the writer's.
        Require(Resolved(cursor.Between("<a href=\"", "\"")) == Shown(item.URL),
                "the address reads back, with no double quote inside it");
        Require(Resolved(cursor.Between(">", "</a></b><br>\r\n")) == Shown(item.Name),
                "the linked name reads back");
    }
    Require(Resolved(cursor.Between("Description: ", "\r\n      </font>")) ==
                Shown(item.Description),
            "the description reads back");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::vector<Item> items = ItemReader(Utf16Text(data, size)).Items();
    ItemTable table;
    table.Recreate(int(items.size()));
    QList<ItemList::Entry> entries;
    for (std::size_t i = 0; i < items.size(); ++i) {
        ItemRecord &slot = table.Slot(int(i + 1));
        slot.InUse = true;
        slot.Description = items[i].Description;
        slot.URL = items[i].URL;
        slot.Priority = items[i].Priority;
        entries.append({items[i].Name, int(i + 1)});
    }
    ItemList list;
    list.Fill(entries);
    const PagePictures pictures{QStringLiteral("/p/high.gif"), QStringLiteral("/p/med.gif"),
                                QStringLiteral("/p/low.gif")};
    QByteArray page;
    WritePageText(list, table, PageOptions(), pictures, [&page](QByteArrayView piece) {
        page += piece;
        return true;
    });

    for (qsizetype i = 0; i < page.size(); ++i) {
        Require(uchar(page[i]) < 0x80, "the page is US-ASCII");
        Require(page[i] != '\n' || (i > 0 && page[i - 1] == '\r'), "no line ends in a bare LF");
        Require(page[i] != '\r' || (i + 1 < page.size() && page[i + 1] == '\n'),
                "no line ends in a bare CR");
    }
    Resolved(page);

    // Priority 3 first, then 2, then 1, each in list order.
    PageCursor cursor(page);
    for (const qint16 priority : {3, 2, 1}) {
        for (int i = 0; i < list.Count(); ++i) {
            const Item &item = items[std::size_t(list.At(i).Slot - 1)];
            if (item.Priority == priority)
                CheckItem(cursor, item);
        }
    }
    return 0;
}
