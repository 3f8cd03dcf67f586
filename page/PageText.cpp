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

namespace {
enum class QuoteRule
{
    AsHeld,
    Reference
};

// The page's bytes, written through a cursor into room taken up front, so that the many short
// pieces of a long page cost a copy each and nothing more. The room is handed to the sink
// whenever it is full and then used again, so that it stays in the processor's cache.
class PageBuffer
{
public:
    PageBuffer(qsizetype room, const PieceWriter &sink) : sink(sink)
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

private:
    void Room(qsizetype count)
    {
        if (end - cursor < count)
            MakeRoom(count);
    }
    // Seldom taken: kept out of line, so that the short pieces above stay small enough to inline.
    Q_NEVER_INLINE void MakeRoom(qsizetype count)
    {
        Flush();
        if (end - cursor >= count)
            return;
        // A piece longer than the room: the room grows to take it.
        bytes.resize(count);
        cursor = bytes.data();
        end = cursor + bytes.size();
    }
    void Flush()
    {
        const QByteArrayView piece(bytes.constData(), cursor - bytes.constData());
        if (!stopped && !piece.isEmpty())
            stopped = !sink(piece);
        cursor = bytes.data();
    }
    void LineBreak() { cursor = std::copy_n("\r\n", 2, cursor); }
    void Reference(char32_t code);

    const PieceWriter &sink;
    bool stopped = false;
    QByteArray bytes;
    char *cursor = nullptr;
    char *end = nullptr;
};

// US-ASCII as it is, and what the system's code page holds; every other character as a decimal
// character reference. A line break inside a text (a description typed on several lines) ends
// its line with CR LF, as every other line of the page ends.
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
            // Printable US-ASCII, blank to DEL, in one comparison; the rest is looked at below.
            if (char16_t(c - u' ') >= 0x60 || (c == u'"' && quotes == QuoteRule::Reference))
                break;
            *out++ = char(c);
        }
        cursor = out;
        if (p == last)
            break;
        // The longest reference takes ten bytes.
        Room(10);
        const char16_t c = *p++;
        if (c == u'\n' || c == u'\r') {
            if (c == u'\r' && p != last && *p == u'\n')
                ++p;
            LineBreak();
            continue;
        }
        if (c < u' ') {
            *cursor++ = char(c);
            continue;
        }
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

// An address inside its quotes: a double quote in it would end the href early.
struct Href
{
    QStringView Text;
};

// A literal piece, its length known as it is compiled.
template <std::size_t Size> void Put(PageBuffer &out, const char (&ascii)[Size])
{
    out.Ascii(QByteArrayView(ascii, Size - 1));
}
void Put(PageBuffer &out, QByteArrayView ascii)
{
    out.Ascii(ascii);
}
void Put(PageBuffer &out, QStringView text)
{
    out.Text(text);
}
// Quote, mostly: printable US-ASCII is one byte as it is, without the whole text path.
void Put(PageBuffer &out, QChar c)
{
    const char ascii = char(c.unicode());
    if (c.unicode() >= u' ' && c.unicode() < 0x80)
        out.Ascii(QByteArrayView(&ascii, 1));
    else
        out.Text(QStringView(&c, 1));
}
void Put(PageBuffer &out, Href address)
{
    out.Text(address.Text, QuoteRule::Reference);
}

template <typename... Pieces> void Line(PageBuffer &out, const Pieces &...pieces)
{
    (Put(out, pieces), ...);
    out.Ascii("\r\n");
}

// A text as the page holds it. Values that every item repeats are encoded once, up front.
QByteArray Encoded(QStringView text)
{
    QByteArray bytes;
    const PieceWriter keep = [&bytes](QByteArrayView piece) {
        bytes += piece;
        return true;
    };
    PageBuffer buffer(64, keep);
    buffer.Text(text);
    buffer.Finish();
    return bytes;
}

struct Group
{
    qint16 Priority;
    QByteArray Picture;
    QByteArrayView Words;
};

// The item's font tag, the same for every item.
struct ItemFont
{
    QByteArray Size;
    QByteArray Color;
    QByteArray Face;
};

// The two table rows of one item: its picture, name, priority and description, then a spacer.
void ItemBlock(PageBuffer &page, const QString &name, const ItemRecord &r, const Group &group,
               const ItemFont &font)
{
    Line(page, "  <tr>");
    Line(page, "    <td width=11 valign=", Quote, "top", Quote, ">");
    Line(page, "      <img src=", Quote, group.Picture, Quote, " width=11 height=11>");
    Line(page, "    </td>");
    Line(page, "    <td width=100%>");
    Line(page, "      <font size=", font.Size, " color=", font.Color, " face=", Quote, font.Face,
         Quote, ">");
    if (r.URL.isEmpty())
        Line(page, "      <b>", name, "</b><br>");
    else
        Line(page, "      <b><a href=", Quote, Href{r.URL}, Quote, ">", name, "</a></b><br>");
    Line(page, "      ", group.Words, "<br>");
    Line(page, "      Description: ", r.Description);
    Line(page, "      </font>");
    Line(page, "    </td>");
    Line(page, "  </tr>");
    Line(page, "  <tr><td>&nbsp;</td></tr>");
}

void BuildPage(PageBuffer &page, const ItemList &list, const ItemTable &table,
               const PageOptions &options, const PagePictures &pictures)
{
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

    const ItemFont font{Encoded(options.BodySize), Encoded(ColorToHex(options.BodyColor)),
                        Encoded(options.FontStyle)};
    const Group groups[] = {
        {3, Encoded(pictures.High), "High Priority"},
        {2, Encoded(pictures.Medium), "Medium Priority"},
        {1, Encoded(pictures.Low), "Low Priority"},
    };
    for (const Group &group : groups) {
        for (int i = 0; i < list.Count(); ++i) {
            if (page.Stopped())
                return; // the rest would go nowhere
            const ItemList::Entry &entry = list.At(i);
            const ItemRecord &r = table.Slot(entry.Slot);
            if (r.Priority == group.Priority)
                ItemBlock(page, entry.Name, r, group, font);
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
                   const PagePictures &pictures, const PieceWriter &sink)
{
    // A quarter of a megabyte at a time: few writes, and room that stays in the cache.
    PageBuffer page(256 * 1024, sink);
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
