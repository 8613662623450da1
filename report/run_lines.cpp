// The run's card lines and boxes.
#include "report/run_lines.hpp"

#include <cstring>
#include <string>

#include "data/number.hpp"
#include "data/text.hpp"
#include "report/page.hpp"

namespace sidewalk {

namespace {

constexpr FormatPattern kLength = ParsePattern("###0.000"); // a type 0 driveway
constexpr FormatPattern kFigure = ParsePattern("##0.000");  // every other item

// How an item line shows its type: driveways with two digits ("03"), extra areas, curb and
// exceptions right-justified in two (" 7").
enum class TypeShown { TwoDigits, RightJustified };

// An item's label and the unit text after its figure, English then metric.
struct ItemText {
    TypeShown shown;
    std::string_view label[2];
    const FormatPattern* pattern;
    std::string_view tail[2];
};
constexpr ItemText kDriveway0 = {TypeShown::TwoDigits,
                                 {"  6\" DRIVEWAY           = ", "  6\" DRIVEWAY           = "},
                                 &kLength,
                                 {"  FT.      ", "  M        "}};
constexpr ItemText kDriveway23 = {TypeShown::TwoDigits,
                                  {"  6\" DRIVEWAY           = ", "  150.0MM DRIVEWAY      = "},
                                  &kFigure,
                                  {" FT        ", " M         "}};
constexpr ItemText kExtraGrass = {TypeShown::RightJustified,
                                  {"  EXTRA GRASS AREA      = ", "  EXTRA GRASS AREA      = "},
                                  &kFigure,
                                  {" SQ. FT.   ", " SQ. M     "}};
constexpr ItemText kExtraCurb = {
    TypeShown::RightJustified, {"", ""}, &kFigure, {" FT.       ", " M         "}};
constexpr ItemText kExtraSidewalk = {TypeShown::RightJustified,
                                     {"  EXTRA 4\" AREA         = ", "  EXTRA 100.0MM AREA    = "},
                                     &kFigure,
                                     {" SQ. FT.   ", " SQ. M     "}};
constexpr ItemText kExtraDriveway = {TypeShown::RightJustified,
                                     {"  EXTRA 6\" AREA         = ", "  EXTRA 150.0MM AREA    = "},
                                     &kFigure,
                                     {" SQ.FT.    ", " SQ. M     "}};
constexpr ItemText kException = {TypeShown::RightJustified,
                                 {"  4\" EXCEPTION          = ", "  100.0MM EXCEPTION     = "},
                                 &kFigure,
                                 {" FT.       ", " M         "}};

const ItemText* TextOf(int type) {
    switch (type) {
    case 0:
        return &kDriveway0;
    case 2:
    case 3:
        return &kDriveway23;
    case 5:
        return &kExtraGrass;
    case 6:
        return &kExtraCurb;
    case 7:
        return &kExtraSidewalk;
    case 8:
        return &kExtraDriveway;
    case 9:
        return &kException;
    default:
        return nullptr;
    }
}

} // namespace

void WriteConversionNotice(ReportWriter& w) {
    w.Line(std::string(45, '*'));
    w.Line("    DATA MUST BE CONVERTED TO NEW FORMAT");
    w.Line("    USE THE DATA ENTRY PROGRAM TO");
    w.Line("    CONVERT THE DATA TO THE NEW FORMAT");
    w.Line(std::string(45, '*'));
}

void WriteInvalidCard(ReportWriter& w, int type, double length, std::string_view station) {
    w.Line({" XXXX ", Format(type, "00"), std::string(9, ' '),
            "LENGTH = ", Figure(length, "###0.000", 9), std::string(8, ' '),
            "APPROX STA. = ", StationField(station)});
    w.Line(" ");
    w.Line(Stars());
    w.Line(" ***  ERROR-CARD TYPE NOT VALID");
    w.Line(" ");
    w.NewPage();
}

void WriteFirstCardError(ReportWriter& w) {
    w.NewPageIfPast(55);
    w.Box({" ***  ERROR-1ST CARD NOT TYPE 1 OR 4"}, 0);
    w.NewPage();
}

void WriteLastCardError(ReportWriter& w, bool atBlockCard) {
    if (atBlockCard) {
        w.NewPageIfPast(55);
        w.Box({" ***  ERROR: LAST CARD NOT TYPE 1 OR 4   "}, 0);
    } else {
        w.Box({" ***  ERROR: LAST CARD NOT TYPE 1 OR 4"}, 0);
    }
    w.NewPage();
}

void WriteHeaderNotice(ReportWriter& w, HeaderNotice notice) {
    switch (notice) {
    case HeaderNotice::SidewalkWider:
        w.Box({" ***  SIDEWALK IS WIDER THAN THE DISTANCE FROM BACK OF CURB TO BACK OF SIDEWALK"},
              5);
        return;
    case HeaderNotice::WidthUnreasonable:
        w.Box({" ***  WARNING:SIDEWALK WIDTH UNREASONABLE"}, 5);
        return;
    case HeaderNotice::DistanceUnreasonable:
        w.Box({" ***  WARNING:DISTANCE FROM BACK OF CURB TO BACK OF SIDEWALK UNREASONABLE"}, 5);
        return;
    case HeaderNotice::RadiusNotCoded:
        w.Box({" ***  WARNING RADIUS OF ALIGNMENT NOT CODED TANGENT ASSUMED"}, 3);
        return;
    }
}

void WriteReturnLine(ReportWriter& w, int type, std::string_view station, double radius) {
    w.Line({" TYPE ", Format(type, "00"), "  STA OF RADIUS POINT = ", StationField(station),
            "    RADIUS TO BACK OF CURB = ", Figure(radius, "###0.000", 6)});
}

void WriteCannotCompute(ReportWriter& w, CannotCompute why) {
    if (why == CannotCompute::DistanceOverRadius)
        w.Box({" ***  SITUATION CANNOT BE COMPUTED",
               " ***  DISTANCE FROM BACK OF CURB TO BACK OF SIDEWALK",
               " ***  IS GREATER THAN RADIUS OF RETURN"},
              0);
    else
        w.Box({" ***  SITUATION CANNOT BE COMPUTED",
               " ***  RETURN DOES NOT MEET THE SIDEWALK ON THIS CURVE",
               " ***  CHECK THE RETURN RADIUS AND THE BASELINE RADIUS"},
              0);
    w.Line(" ");
}

void WriteImpossibleLengths(ReportWriter& w) {
    w.NewPageIfPast(45);
    w.Box({" ***  SITUATION IMPOSSIBLE-LENGTHS CODED MORE THAN BLOCK LENGTH"}, 0);
}

void WriteDrivewayOverLimit(ReportWriter& w) {
    w.Box({" ***  DRIVEWAY GREATER THAN STANDARD INDEX ALLOWS"}, 5);
}

void WriteItemLine(ReportWriter& w, int type, double figure, std::string_view station,
                   int extraCurbNo) {
    const ItemText* text = TextOf(type);
    if (text == nullptr) return;
    const int m = w.heading.metric ? 1 : 0;
    const std::string curbLabel =
        type == 6 ? "  EX. CURB # " + Format(extraCurbNo, "0") + "          = " : std::string();
    const std::string_view label = type == 6 ? std::string_view(curbLabel) : text->label[m];
    const FigureText figureLaidOut(figure, *text->pattern);
    const std::string_view figureText = figureLaidOut.view();
    // " TYPE", the type (every item type is one digit), the label, the figure right-justified
    // in 8, the unit text, the station right-justified in 11: laid out in place, one line for
    // every item card.
    constexpr std::string_view approx = "APPROX STA. ";
    const std::size_t figurePad = figureText.size() < 8 ? 8 - figureText.size() : 0;
    const std::size_t stationPad = station.size() < 11 ? 11 - station.size() : 0;
    std::string& out = w.Text();
    const std::size_t from = out.size();
    out.resize(from + 8 + label.size() + figurePad + figureText.size() + text->tail[m].size() +
               approx.size() + stationPad + station.size() + kLineEnd.size());
    char* at = out.data() + from;
    const auto put = [&at](std::string_view piece) {
        std::memcpy(at, piece.data(), piece.size());
        at += piece.size();
    };
    const auto blanks = [&at](std::size_t count) {
        std::memset(at, ' ', count);
        at += count;
    };
    put(" TYPE ");
    *at++ = text->shown == TypeShown::TwoDigits ? '0' : ' ';
    *at++ = static_cast<char>('0' + type);
    put(label);
    blanks(figurePad);
    put(figureText);
    put(text->tail[m]);
    put(approx);
    blanks(stationPad);
    put(station);
    put(kLineEnd);
}

} // namespace sidewalk
