#include "PageText.h"

#include "CodePage.h"
#include "ColorTable.h"
#include "ItemList.h"
#include "ItemTable.h"
#include "ModuleMain.h"
#include "PageOptions.h"
#include "ProgramLayout.h"

#include <QByteArrayView>
#include <QStringView>

#include <algorithm>
#include <array>

namespace {
enum class QuoteRule
{
    AsHeld,
    Reference
};

// The page's bytes, written through a cursor into room taken up front, so that the many short
// pieces of a long page cost a copy each and nothing more. With a sink, the room is handed on
// whenever it is full and then used again, so that it stays in the processor's cache; without
// one, it grows.
class PageBuffer
{
public:
    explicit PageBuffer(qsizetype room, const PageSink *sink = nullptr) : sink(sink)
    {
        bytes.resize(room);
        cursor = bytes.data();
        end = cursor + bytes.size();
    }
    Q_DISABLE_COPY_MOVE(PageBuffer)

    void Ascii(QByteArrayView text)
    {
        Room(text.size());
        cursor = std::copy_n(text.data(), text.size(), cursor);
    }
    void Text(QStringView text, QuoteRule quotes = QuoteRule::AsHeld);
    bool Stopped() const { return stopped; }
    // Hands on the rest; answers whether the sink took all of the page.
    bool Finish()
    {
        Flush();
        return !stopped;
    }
    QByteArray Take() &&
    {
        bytes.truncate(cursor - bytes.constData());
        return std::move(bytes);
    }

private:
    void Room(qsizetype count)
    {
        if (end - cursor < count)
            MakeRoom(count);
    }
    void MakeRoom(qsizetype count)
    {
        if (sink) {
            Flush();
            if (end - cursor >= count)
                return;
        }
        const qsizetype used = cursor - bytes.constData();
        bytes.resize(std::max(used + count, bytes.size() * 3 / 2 + 64));
        cursor = bytes.data() + used;
        end = bytes.data() + bytes.size();
    }
    void Flush()
    {
        const QByteArrayView piece(bytes.constData(), cursor - bytes.constData());
        if (sink && !stopped && !piece.isEmpty())
            stopped = !(*sink)(piece);
        cursor = bytes.data();
    }
    void Reference(char32_t code);

    const PageSink *sink;
    bool stopped = false;
    QByteArray bytes;
    char *cursor = nullptr;
    char *end = nullptr;
};

// US-ASCII as it is, and what the system's code page holds; every other character as a decimal
// character reference.
void PageBuffer::Text(QStringView text, QuoteRule quotes)
{
    const char16_t *p = text.utf16();
    const char16_t *const last = p + text.size();
    while (p != last) {
        Room(last - p);
        // A local cursor: stores through a char pointer could alias the member and force the
        // compiler to reload it for every character.
        char *out = cursor;
        for (; p != last; ++p) {
            const char16_t c = *p;
            if (c >= 0x80 || (c == u'"' && quotes == QuoteRule::Reference))
                break;
            *out++ = char(c);
        }
        cursor = out;
        if (p == last)
            break;
        // The longest reference takes ten bytes.
        Room(10);
        const char16_t c = *p++;
        if (c == u'"') {
            cursor = std::copy_n("&quot;", 6, cursor);
            continue;
        }
        // A character beyond the 16-bit range is one reference, never a pair of halves. A half
        // without its partner is no character at all; it becomes the replacement character, as
        // a browser would show it anyway.
        char32_t code = c;
        if (QChar::isHighSurrogate(c) && p != last && QChar::isLowSurrogate(*p))
            code = QChar::surrogateToUcs4(c, *p++);
        else if (QChar::isSurrogate(c))
            code = QChar::ReplacementCharacter;
        if (const CodePageBytes held = InCodePage(code); held.Size > 0)
            cursor = std::copy_n(held.Bytes, held.Size, cursor);
        else
            Reference(code);
    }
}

void PageBuffer::Reference(char32_t code)
{
    char digits[10];
    char *first = std::end(digits);
    do {
        *--first = char('0' + code % 10);
        code /= 10;
    } while (code != 0);
    *cursor++ = '&';
    *cursor++ = '#';
    cursor = std::copy(first, std::end(digits), cursor);
    *cursor++ = ';';
}

void Put(PageBuffer &out, QByteArrayView ascii)
{
    out.Ascii(ascii);
}
void Put(PageBuffer &out, QStringView text)
{
    out.Text(text);
}
void Put(PageBuffer &out, QChar c)
{
    out.Text(QStringView(&c, 1));
}

template <typename... Pieces> void Line(PageBuffer &out, const Pieces &...pieces)
{
    (Put(out, pieces), ...);
    out.Ascii("\r\n");
}

struct Group
{
    qint16 Priority;
    QByteArray Head;    // from "<tr>" to the item's font tag, the picture included
    QByteArray Wording; // the priority line and the start of the description line
};

Group MakeGroup(qint16 priority, const QString &picture, QByteArrayView words,
                const QByteArray &fontTag)
{
    PageBuffer head(256 + picture.size() + fontTag.size());
    Line(head, "  <tr>");
    Line(head, "    <td width=11 valign=", Quote, "top", Quote, ">");
    Line(head, "      <img src=", Quote, picture, Quote, " width=11 height=11>");
    Line(head, "    </td>");
    Line(head, "    <td width=100%>");
    Put(head, fontTag);
    PageBuffer wording(64);
    Line(wording, "      ", words, "<br>");
    Put(wording, "      Description: ");
    return {priority, std::move(head).Take(), std::move(wording).Take()};
}

void BuildPage(PageBuffer &page, const ItemList &list, const ItemTable &table,
               const PageOptions &options, const PagePictures &pictures)
{
    // Every item shares its font tag, so it is built once rather than per item.
    PageBuffer font(128);
    Line(font, "      <font size=", options.BodySize, " color=", ColorToHex(options.BodyColor),
         " face=", Quote, options.FontStyle, Quote, ">");
    const QByteArray fontTag = std::move(font).Take();
    const std::array<Group, 3> groups{
        MakeGroup(3, pictures.High, "High Priority", fontTag),
        MakeGroup(2, pictures.Medium, "Medium Priority", fontTag),
        MakeGroup(1, pictures.Low, "Low Priority", fontTag),
    };
    constexpr QByteArrayView tail = "      </font>\r\n"
                                    "    </td>\r\n"
                                    "  </tr>\r\n"
                                    "  <tr><td>&nbsp;</td></tr>\r\n";

    Line(page, "<html>");
    Line(page, "<head><title>Tavrel List</title></head>");
    Line(page, "<body bgcolor=", ColorToHex(options.BGColor),
         " link=", ColorToHex(options.LinkColor), " alink=", ColorToHex(options.LinkColor),
         " vlink=", ColorToHex(options.VisitedLinkColor), ">");
    Line(page, "<font face=", Quote, options.FontStyle, Quote, ">");
    Line(page, "<p><font size=", options.HeaderSize, " color=", ColorToHex(options.HeaderColor),
         ">");
    Line(page, "  Tavrel List");
    Line(page, "</font></p>");
    Line(page, "<table width=100% border=0>");

    for (const Group &g : groups) {
        for (int i = 0; i < list.Count(); ++i) {
            if (page.Stopped())
                return; // the rest would go nowhere
            const ItemList::Entry &entry = list.At(i);
            const ItemRecord &r = table.Slot(entry.Slot);
            if (r.Priority != g.Priority)
                continue;
            Put(page, g.Head);
            if (r.URL.isEmpty()) {
                Line(page, "      <b>", entry.Name, "</b><br>");
            } else {
                Put(page, "      <b><a href=");
                Put(page, Quote);
                page.Text(r.URL, QuoteRule::Reference);
                Line(page, Quote, ">", entry.Name, "</a></b><br>");
            }
            Put(page, g.Wording);
            Line(page, r.Description);
            Put(page, tail);
        }
    }

    Line(page, "</table>");
    Line(page, "</font>");
    Line(page, "</body>");
    Line(page, "</html>");
}
} // namespace

PagePictures ProgramPictures()
{
    return {PictureFile(QStringLiteral("high.gif")), PictureFile(QStringLiteral("med.gif")),
            PictureFile(QStringLiteral("low.gif"))};
}

bool WritePageText(const ItemList &list, const ItemTable &table, const PageOptions &options,
                   const PagePictures &pictures, const PageSink &sink)
{
    // A quarter of a megabyte at a time: few writes, and room that stays in the cache.
    PageBuffer page(256 * 1024, &sink);
    BuildPage(page, list, table, options, pictures);
    return page.Finish();
}

QByteArray PageText(const ItemList &list, const ItemTable &table, const PageOptions &options,
                    const PagePictures &pictures)
{
    QByteArray page;
    WritePageText(list, table, options, pictures, [&page](QByteArrayView piece) {
        page += piece;
        return true;
    });
    return page;
}
