#include "reading/ReadingDocument.h"

#include "data/Cp932.h"
#include "reading/DetailedReading.h"
#include "rules/VerdictWords.h"

namespace namori {

namespace {

// Styles that Qt's rich text and web browsers both understand.
constexpr const char* kStyleSheet =
    "body { font-family: 'IPAPGothic', 'ＭＳ Ｐゴシック', sans-serif; font-size: 11pt; "
    "color: #222222; background-color: #ffffff; }\n"
    // Headings are paragraphs of a class: Qt's rich text sizes h1 and h2 in pixels of the paint
    // device, so on paper they would shrink with the printer's density.
    "p.title { font-family: 'IPAPMincho', 'ＭＳ Ｐ明朝', serif; font-size: 22pt; "
    "font-weight: bold; color: #7a1f1f; text-align: center; margin: 0 0 4pt 0; }\n"
    "p.heading { font-family: 'IPAPMincho', 'ＭＳ Ｐ明朝', serif; font-size: 15pt; "
    "font-weight: bold; color: #7a1f1f; margin: 14pt 0 4pt 0; }\n"
    "p { margin: 3pt 0 3pt 0; line-height: 150%; }\n"
    "p.fullname { font-family: 'IPAPMincho', 'ＭＳ Ｐ明朝', serif; font-size: 18pt; "
    "text-align: center; margin: 0 0 8pt 0; }\n"
    "p.rule { color: #666666; font-size: 9pt; }\n"
    "p.legend { color: #666666; font-size: 9pt; text-align: center; }\n"
    "table { border-collapse: collapse; }\n"
    "table.diagram { margin-left: auto; margin-right: auto; }\n"
    "table.diagram td { vertical-align: middle; }\n"
    "td.character { font-family: 'IPAPMincho', 'ＭＳ Ｐ明朝', serif; font-size: 34pt; "
    "font-weight: bold; text-align: center; }\n"
    "td.strokes { font-size: 12pt; color: #444444; text-align: left; }\n"
    "td.open { border-top: 2px solid #7a1f1f; border-bottom: 2px solid #7a1f1f; "
    "border-left: 2px solid #7a1f1f; text-align: right; color: #7a1f1f; }\n"
    "td.assist { border-top: 2px solid #b08040; border-bottom: 2px solid #b08040; "
    "border-left: 2px solid #b08040; text-align: right; color: #8a5a20; }\n"
    "p.date { color: #666666; font-size: 9pt; text-align: center; margin: 0 0 6pt 0; }\n"
    "p.note { color: #555555; font-size: 9pt; margin: 14pt 0 0 0; padding-top: 6pt; "
    "border-top: 1px solid #d8c8b0; }\n"
    "td.close { border-top: 2px solid #7a1f1f; border-bottom: 2px solid #7a1f1f; "
    "border-right: 2px solid #7a1f1f; text-align: left; color: #7a1f1f; }\n"
    "table.summary { margin-left: auto; margin-right: auto; margin-top: 10pt; }\n"
    "table.summary td { border-bottom: 1px solid #d8c8b0; }\n"
    "p.entry { margin: 2pt 0 2pt 0; line-height: 140%; }\n"
    "span.entry-name { font-weight: bold; color: #7a1f1f; background-color: #f6efe3; }\n"
    "td.number { text-align: right; font-weight: bold; }\n"
    // The marks apart at a glance, in colour and in weight: ◎ a bold red, ○ a brown, △ a plain
    // slate blue.
    "td.mark { text-align: center; }\n"
    ".mark-good { color: #b22222; font-weight: bold; }\n"
    ".mark-mixed { color: #8a5a20; font-weight: bold; }\n"
    ".mark-bad { color: #41607f; font-weight: normal; }\n"
    "p.unlawful { color: #b00000; font-weight: bold; }\n"
    "p.caveat { color: #555555; font-size: 9pt; text-align: center; margin: 0 0 6pt 0; }\n"
    "p.furigana { font-size: 10pt; color: #555555; text-align: center; margin: 0; "
    "letter-spacing: 2pt; }\n"
    // Printed from a browser: A4 with even margins, and no section broken across two pages.
    "@page { size: A4; margin: 18mm 16mm 18mm 16mm; }\n"
    "div.section { break-inside: avoid; page-break-inside: avoid; }\n";

std::string Html(std::u16string_view text) {
    std::string out;
    for (char c : Utf16ToUtf8(text)) {
        const char* entity = c == '&'   ? "&amp;"
                             : c == '<' ? "&lt;"
                             : c == '>' ? "&gt;"
                             : c == '"' ? "&quot;"
                                        : nullptr;
        out += entity != nullptr ? std::string_view(entity) : std::string_view(&c, 1);
    }
    return out;
}

std::string Paragraph(const char* kind, std::u16string_view text) {
    if (text.empty()) {
        return {};
    }
    return std::string("<p") + (kind[0] != '\0' ? std::string(" class=\"") + kind + "\"" : "") +
           ">" + Html(text) + "</p>\n";
}

std::string Number(int value) {
    return std::to_string(value);
}

// A luck number with the number that grades it, when that differs: "85（5 として）".
std::string LuckValue(const LuckReading& luck) {
    std::string text = Number(luck.value);
    if (luck.spiritNumber != luck.value) {
        text += "（" + Number(luck.spiritNumber) + " として）";
    }
    return text;
}

// A rating as the 鑑定書 words it: gentler than the window's 悪, for parents reading about a child.
std::u16string_view ReadingRatingWord(Rating rating) {
    return rating == Rating::Unfavourable ? u"要注意" : RatingWord(rating);
}

// The class that colours a mark.
const char* MarkClass(Mark mark) {
    switch (mark) {
        case Mark::Good:
            return "mark-good";
        case Mark::Mixed:
            return "mark-mixed";
        case Mark::Bad:
            return "mark-bad";
        case Mark::None:
            break;
    }
    return "";
}

std::string Bracket(const char* side, int rows, const LuckReading& luck) {
    return std::string("<td class=\"") + side + "\" rowspan=\"" + Number(rows) + "\">" +
           Html(luck.name) + "<br/>" + Number(luck.value) + "</td>";
}

std::string EmptyCell(int rows) {
    return rows > 0 ? "<td rowspan=\"" + Number(rows) + "\"></td>" : std::string();
}

// The name as a column of large characters with their counts, bracketed on the left by 祖運 and
// 初運 and, further out, 助運, and on the right by 主運 and 総運.
std::string Diagram(const DetailedReading& reading) {
    const int surname = static_cast<int>(reading.surnameChars.size());
    const int givenName = static_cast<int>(reading.givenNameChars.size());
    const int rows = surname + givenName;
    std::string html =
        "<table class=\"diagram\" align=\"center\" cellspacing=\"0\" cellpadding=\"4\">\n";
    for (int row = 0; row < rows; ++row) {
        const bool inSurname = row < surname;
        const NameCharacter& character =
            inSurname ? reading.surnameChars[row] : reading.givenNameChars[row - surname];
        html += "<tr>";
        // 助運 always sums the first and the last character: its bracket joins the two ends.
        if (row == 0 && surname > 0 && givenName > 0) {
            html += Bracket("assist", rows, reading.luck[3]);
        }
        if (row == 0 && surname > 0) {
            html += Bracket("open", surname, reading.luck[0]);
        }
        if (row == surname && givenName > 0) {
            html += Bracket("open", givenName, reading.luck[2]);
        }
        html += "<td class=\"character\">" + Html(character.character) +
                "</td><td class=\"strokes\">" + Number(character.strokes) + "</td>";
        if (surname > 0 && givenName > 0) {
            if (row == 0 && surname > 1) {
                html += EmptyCell(surname - 1);
            }
            if (row == surname - 1) {
                html += Bracket("close", 2, reading.luck[1]);
            }
            if (row == surname + 1) {
                html += EmptyCell(givenName - 1);
            }
        }
        if (row == 0) {
            html += Bracket("close", rows, reading.luck[4]);
        }
        html += "</tr>\n";
    }
    return html + "</table>\n";
}

std::string Summary(const DetailedReading& reading) {
    std::string html =
        "<table class=\"summary\" align=\"center\" cellspacing=\"0\" cellpadding=\"5\">\n";
    for (const LuckReading& luck : reading.luck) {
        html += "<tr><td>" + Html(luck.name) + "</td><td class=\"number\">" + LuckValue(luck) +
                "</td><td>" + Html(luck.phrase) + "</td><td class=\"mark " + MarkClass(luck.mark) +
                "\">" + Html(MarkSymbol(luck.mark)) + "</td></tr>\n";
    }
    return html + "</table>\n" + Paragraph("legend", reading.markLegend);
}

// One line for each kanji of the given name that a birth registration would refuse.
std::string LawfulNote(const DetailedReading& reading) {
    std::string html;
    for (char16_t kanji : reading.unlawfulKanji.value_or(u"")) {
        html += "<p class=\"unlawful\">「" + Html(std::u16string(1, kanji)) +
                "」は子の名前には使えない漢字です（戸籍に届け出できません）</p>\n";
    }
    return html;
}

// The three ratings in one line under the luck table: each verdict is explained once in its own
// section and once in the 総合鑑定.
std::string RatingsLine(const DetailedReading& reading) {
    std::u16string line;
    for (const FaceReading& face : reading.faces) {
        line += (line.empty() ? u"" : u"　") + face.title + u"の判定 " +
                std::u16string(ReadingRatingWord(face.rating));
    }
    return Paragraph("legend", line);
}

std::string NameSection(const DetailedReading& reading) {
    const std::u16string date =
        reading.readingDate.empty() ? std::u16string() : u"鑑定日　" + reading.readingDate;
    return "<p class=\"title\">鑑定書</p>\n" + Paragraph("caveat", reading.caveat) +
           Paragraph("furigana", reading.furigana) + "<p class=\"fullname\">" +
           Html(reading.surname) + "　" + Html(reading.givenName) + "</p>\n" +
           Paragraph("date", date) + LawfulNote(reading) + Diagram(reading) + Summary(reading) +
           RatingsLine(reading) + Paragraph("legend", reading.countingBasis);
}

std::string ConclusionSection(const DetailedReading& reading) {
    return "<p class=\"heading\">総合鑑定</p>\n" + Paragraph("", reading.conclusion);
}

// A named text as a paragraph, the name set off in front. Paragraphs rather than a table of two
// columns: a table takes Qt's rich text several times as long to lay out.
std::string Entry(std::u16string_view name, std::u16string_view text) {
    return "<p class=\"entry\"><span class=\"entry-name\">" + Html(name) + "</span>　" +
           Html(text) + "</p>\n";
}

std::string LuckSection(const LuckReading& luck) {
    std::string html = "<p class=\"heading\">" + Html(luck.name) + "　" + LuckValue(luck) + "　" +
                       Html(luck.phrase) + "　<span class=\"" + MarkClass(luck.mark) + "\">" +
                       Html(MarkSymbol(luck.mark)) + "</span></p>\n" +
                       Paragraph("rule", luck.rule) + Paragraph("", luck.phraseGloss) +
                       Paragraph("", luck.meaning);
    for (const ReadingAspect& aspect : luck.aspects) {
        html += Entry(aspect.name, aspect.text);
    }
    return html;
}

std::string ElementSection(const DetailedReading& reading) {
    std::string html = "<p class=\"heading\">五行　" + Html(reading.elementTriple) + "</p>\n" +
                       Paragraph("rule", u"祖運・主運・初運の下一桁 " + reading.elementDigits) +
                       Paragraph("", reading.elementPairs) +
                       Paragraph("", reading.elementVerdictMeaning);
    for (const ElementReading& element : reading.elements) {
        html += Entry(element.element, element.meaning);
    }
    return html;
}

// Each character from the top with its count and its mark: "「佐」7○　「藤」18●　…", so that the
// pattern's type can be read off the positions.
std::u16string MarksByPosition(const DetailedReading& reading) {
    std::u16string line = u"○は奇数画、●は偶数画：";
    for (const auto* part : {&reading.surnameChars, &reading.givenNameChars}) {
        for (const NameCharacter& character : *part) {
            const std::string count = std::to_string(character.strokes);
            line += u"　「" + character.character + u"」" +
                    std::u16string(count.begin(), count.end()) +
                    (character.strokes % 2 == 0 ? u"●" : u"○");
        }
    }
    return line;
}

std::string YinYangSection(const DetailedReading& reading) {
    return "<p class=\"heading\">陰陽　" + Html(reading.yinYangPattern) + "</p>\n" +
           Paragraph("rule", MarksByPosition(reading)) + Paragraph("", reading.yinYangMeaning);
}

// Stroke patterns of the same length that would rate every face favourable, and the note.
std::string LuckySection(const DetailedReading& reading) {
    std::string html = "<p class=\"heading\">数の目安</p>\n" + Paragraph("", reading.luckyNote);
    for (const std::u16string& pattern : reading.luckyPatterns) {
        html += Paragraph("entry", pattern);
    }
    return html;
}

std::string Head(const ReadingDocument& document) {
    return "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\"/>\n<title>" +
           Html(Utf8ToUtf16(document.title)) + "</title>\n<style>\n" + document.styleSheet +
           "</style>\n</head>\n<body>\n";
}

}  // namespace

ReadingDocument ReadingDocumentOf(const DetailedReading& reading) {
    ReadingDocument document;
    document.name = Utf16ToUtf8(reading.surname) + "　" + Utf16ToUtf8(reading.givenName);
    document.title = "鑑定書　" + document.name;
    document.date = Utf16ToUtf8(reading.readingDate);
    document.styleSheet = kStyleSheet;
    document.sections.push_back(NameSection(reading));
    document.sections.push_back(ConclusionSection(reading));
    for (const LuckReading& luck : reading.luck) {
        document.sections.push_back(LuckSection(luck));
    }
    document.sections.push_back(ElementSection(reading));
    document.sections.push_back(YinYangSection(reading));
    if (!reading.luckyPatterns.empty()) {
        document.sections.push_back(LuckySection(reading));
    }
    document.sections.push_back(Paragraph("note", reading.closingNote));
    return document;
}

std::string SectionPage(const ReadingDocument& document, std::size_t section) {
    return Head(document) + "<div class=\"section\">\n" + document.sections.at(section) +
           "</div>\n</body>\n</html>\n";
}

std::string ReadingPage(const ReadingDocument& document) {
    std::string html = Head(document);
    for (const std::string& section : document.sections) {
        html += "<div class=\"section\">\n" + section + "</div>\n";
    }
    return html + "</body>\n</html>\n";
}

}  // namespace namori
