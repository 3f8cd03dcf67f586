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
#include <QVarLengthArray>

#include <algorithm>

namespace {
// The page's many short pieces are appended to a plain array of bytes: QByteArray takes each
// through its general insert, at twice the cost.
using Bytes = QVarLengthArray<char, 64>;

enum class QuoteRule
{
    AsHeld,
    Reference
};

void Append(Bytes &out, QByteArrayView bytes)
{
    const qsizetype at = out.size();
    out.resize(at + bytes.size());
    std::copy_n(bytes.data(), bytes.size(), out.data() + at);
}

QByteArray Reference(char32_t code)
{
    return "&#" + QByteArray::number(quint32(code)) + ';';
}

// US-ASCII as it is, and what the system's code page holds; every other character as a decimal
// character reference. A line break inside a text (a description typed on several lines) ends
// its line with CR LF, as every other line of the page ends.
void Encode(Bytes &out, QStringView text, QuoteRule quotes = QuoteRule::AsHeld)
{
    // Printable US-ASCII, blank to DEL, in one comparison; the rest is looked at below.
    const auto asIs = [quotes](QChar c) {
        return char16_t(c.unicode() - u' ') < 0x60 && (c != u'"' || quotes == QuoteRule::AsHeld);
    };
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype runEnd =
            std::find_if_not(text.begin() + i, text.end(), asIs) - text.begin();
        const qsizetype at = out.size();
        out.resize(at + runEnd - i);
        std::transform(text.begin() + i, text.begin() + runEnd, out.data() + at,
                       [](QChar c) { return char(c.unicode()); });
        i = runEnd;
        if (i == text.size())
            break;

        const QChar c = text[i++];
        if (c == u'\n' || c == u'\r') {
            if (c == u'\r' && i < text.size() && text[i] == u'\n')
                ++i;
            Append(out, "\r\n");
        } else if (c < u' ') {
            out.append(char(c.unicode()));
        } else if (c == u'"') {
            Append(out, "&quot;");
        } else if (c.isHighSurrogate() && i < text.size() && text[i].isLowSurrogate()) {
            // A character beyond the 16-bit range is one reference, never a pair of halves.
            const QByteArray held = InCodePage(text.sliced(i - 1, 2));
            Append(out, held.isEmpty() ? Reference(QChar::surrogateToUcs4(c, text[i])) : held);
            ++i;
        } else if (c.isSurrogate()) {
            // A half without its partner is no character at all; it becomes the replacement
            // character, as a browser would show it anyway.
            Append(out, Reference(QChar::ReplacementCharacter));
        } else {
            const QByteArray held = InCodePage(text.sliced(i - 1, 1));
            Append(out, held.isEmpty() ? Reference(c.unicode()) : held);
        }
    }
}

// An address inside its quotes: a double quote in it would end the href early.
struct Href
{
    QStringView Text;
};

// The page's bytes, appended line by line and handed to the sink whenever a quarter of a
// megabyte has gathered, so that the longest list needs little memory.
class PageBuffer
{
public:
    explicit PageBuffer(const PieceWriter &sink) : sink(sink) { bytes.reserve(PieceSize + 4096); }

    void Put(QByteArrayView ascii) { Append(bytes, ascii); }
    void Put(QStringView text) { Encode(bytes, text); }
    void Put(Href address) { Encode(bytes, address.Text, QuoteRule::Reference); }
    void EndLine()
    {
        Append(bytes, "\r\n");
        if (bytes.size() >= PieceSize)
            Flush();
    }
    bool Stopped() const { return stopped; }
    // Hands on the rest; answers whether the sink took all of the page.
    bool Finish()
    {
        Flush();
        return !stopped;
    }

private:
    static constexpr qsizetype PieceSize = 256 * 1024;

    void Flush()
    {
        if (!stopped && !bytes.isEmpty())
            stopped = !sink(QByteArrayView(bytes.data(), bytes.size()));
        bytes.resize(0); // keeps its room for the next piece
    }

    const PieceWriter &sink;
    bool stopped = false;
    Bytes bytes;
};

template <typename... Pieces> void Line(PageBuffer &out, const Pieces &...pieces)
{
    (out.Put(pieces), ...);
    out.EndLine();
}

// A text as the page holds it. Values that every item repeats are encoded once, up front.
QByteArray Encoded(QStringView text)
{
    Bytes bytes;
    Encode(bytes, text);
    return QByteArray(bytes.data(), bytes.size());
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
    PageBuffer page(sink);
    BuildPage(page, list, table, options, pictures);
    return page.Finish();
}
