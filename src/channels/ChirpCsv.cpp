#include "channels/ChirpCsv.h"

#include "base/TextChars.h"

#include "channels/CellInput.h"
#include "channels/CsvChannels.h"
#include "channels/DecimalText.h"

#include <algorithm>
#include <cstdio>

namespace velmora {

namespace {

constexpr std::string_view kHeader[] = {
    "Location",  "Name",     "Frequency",    "Duplex",     "Offset",    "Tone",     "rToneFreq",
    "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode",     "TStep",
    "Skip",      "Power",    "Comment",      "URCALL",     "RPT1CALL",  "RPT2CALL", "DVCODE"};

// Fields the unused tone columns carry, as the other programs write them.
constexpr std::string_view kDefaultTone = "88.5";
constexpr std::string_view kDefaultDcs = "023";

// The three power levels as watts, and the borders halfway between them for reading.
constexpr std::string_view kWattsHigh = "5.0W", kWattsMiddle = "2.0W", kWattsLow = "0.5W";
constexpr double kHighFromWatts = 3.5, kMiddleFromWatts = 1.25;

// Splits above which a Tx frequency is written as "split" instead of an offset: wider than any
// repeater shift, so a cross-band channel reads as what it is.
constexpr std::int32_t kMaxOffsetUnits = 1000000; // 10 MHz

enum class ToneKind { None, Ctcss, Dcs };
struct Tone {
    ToneKind kind = ToneKind::None;
    std::string ctcss; // "67.0"
    std::string code;  // "023"
    char polarity = 'N';
};

Tone ParseTone(std::string_view text) {
    Tone tone;
    if (text.empty() || txt::ToneNone.Matches(text)) {
        return tone;
    }
    if (text.front() == 'D') {
        tone.kind = ToneKind::Dcs;
        tone.code = std::string(text.substr(1, 3));
        tone.polarity = text.find('N') != std::string_view::npos ? 'N' : 'R';
        return tone;
    }
    tone.kind = ToneKind::Ctcss;
    tone.ctcss = std::string(text);
    return tone;
}

std::string_view KindWord(ToneKind kind) {
    return kind == ToneKind::Ctcss ? "Tone" : kind == ToneKind::Dcs ? "DTCS" : "";
}

std::string Digits(std::int32_t value, int width) {
    std::string text = std::to_string(value);
    return std::string(text.size() < static_cast<std::size_t>(width) ? width - text.size() : 0,
                       '0') +
           text;
}

// 43801250 (10 Hz) as "438.012500" or, with five decimals, "438.01250".
std::string Megahertz(std::int32_t units, bool sixDecimals) {
    const std::string text = std::to_string(units / 100000) + "." + Digits(units % 100000, 5);
    return sixDecimals ? text + "0" : text;
}

std::string TuningStep(std::int32_t units) {
    return units % 1250 == 0  ? "12.50"
           : units % 625 == 0 ? "6.25"
           : units % 500 == 0 ? "5.00"
                              : "2.50";
}

std::string Refused(std::string_view column, std::string_view value, Language lang) {
    return FillText(
        txt::CsvBadCell, lang,
        {std::string(column), std::string(value), std::string(txt::CsvNotAValue.In(lang))});
}

// Our tone text for a CHIRP tone field; what the tone lists do not hold is refused later by
// the same check a typed tone meets.
std::string CtcssText(std::string_view field) {
    const std::string_view value = field.empty() ? kDefaultTone : field;
    return FormatFixed(ParseLeadingDecimal(value), 1);
}

std::string DcsText(std::string_view code, char polarity) {
    const std::string_view value = code.empty() ? kDefaultDcs : code;
    std::string digits(value);
    if (digits.size() < 3 && std::all_of(digits.begin(), digits.end(), ::isdigit)) {
        digits = std::string(3 - digits.size(), '0') + digits;
    }
    return "D" + digits + (polarity == 'R' ? "I" : "N");
}

std::int32_t Clamped(std::int64_t units) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(units, -1, 99999999));
}

} // namespace

bool IsChirpHeader(const std::vector<std::string>& header) {
    const auto has = [&](std::string_view name) {
        return std::any_of(header.begin(), header.end(), [&](const std::string& field) {
            return Lower(TrimBlanks(field)) == Lower(name);
        });
    };
    return has("Location") && has("Frequency");
}

std::string ExportChirpCsv(const ChannelGridTexts& grid) {
    std::string csv;
    for (std::string_view title : kHeader) {
        csv += csv.empty() ? "" : ",";
        csv += title;
    }
    csv += "\r\n";
    for (std::size_t channel = 0; channel < grid.size(); ++channel) {
        const ChannelTexts& row = grid[channel];
        if (Cell(row, Column::Rx).empty()) {
            continue;
        }
        const std::int32_t rx = FrequencyUnits(Cell(row, Column::Rx));
        std::string duplex;
        std::int32_t offset = 0;
        if (Cell(row, Column::Tx).empty()) {
            duplex = "off";
        } else if (const std::int32_t tx = FrequencyUnits(Cell(row, Column::Tx)); tx != rx) {
            const std::int32_t shift = tx > rx ? tx - rx : rx - tx;
            duplex = shift > kMaxOffsetUnits ? "split" : tx > rx ? "+" : "-";
            offset = duplex == "split" ? tx : shift;
        }
        const Tone rxTone =
            ParseTone(Cell(row, Column::DecodeTone)); // decode: what opens the receiver
        const Tone txTone = ParseTone(Cell(row, Column::EncodeTone)); // encode: what goes out
        std::string mode, rTone(kDefaultTone), cTone(kDefaultTone), txCode(kDefaultDcs),
            rxCode(kDefaultDcs), cross = "Tone->Tone";
        std::string polarity = {txTone.polarity, rxTone.polarity};
        if (txTone.kind == ToneKind::None && rxTone.kind == ToneKind::None) {
        } else if (txTone.kind == ToneKind::Ctcss && rxTone.kind == ToneKind::None) {
            mode = "Tone";
            rTone = txTone.ctcss;
        } else if (txTone.kind == ToneKind::Ctcss && rxTone.kind == ToneKind::Ctcss &&
                   txTone.ctcss == rxTone.ctcss) {
            mode = "TSQL";
            rTone = cTone = txTone.ctcss;
        } else if (txTone.kind == ToneKind::Dcs && rxTone.kind == ToneKind::Dcs &&
                   txTone.code == rxTone.code) {
            mode = "DTCS";
            txCode = rxCode = txTone.code;
        } else {
            mode = "Cross";
            cross = std::string(KindWord(txTone.kind)) + "->" + std::string(KindWord(rxTone.kind));
            if (txTone.kind == ToneKind::Ctcss) {
                rTone = txTone.ctcss;
            } else if (txTone.kind == ToneKind::Dcs) {
                txCode = txTone.code;
            }
            if (rxTone.kind == ToneKind::Ctcss) {
                cTone = rxTone.ctcss;
            } else if (rxTone.kind == ToneKind::Dcs) {
                rxCode = rxTone.code;
            }
        }
        const std::string& powerText = Cell(row, Column::Power);
        const std::string_view power = txt::PowerMiddle.Matches(powerText) ? kWattsMiddle
                                       : txt::PowerLow.Matches(powerText)  ? kWattsLow
                                                                           : kWattsHigh;
        const std::string fields[] = {std::to_string(channel),
                                      Cell(row, Column::Name),
                                      Megahertz(rx, true),
                                      duplex,
                                      Megahertz(offset, true),
                                      mode,
                                      rTone,
                                      cTone,
                                      txCode,
                                      polarity,
                                      rxCode,
                                      cross,
                                      "FM",
                                      TuningStep(rx),
                                      txt::ScanNo.Matches(Cell(row, Column::ScanAdd)) ? "S" : "",
                                      std::string(power),
                                      txt::LockOff.Matches(Cell(row, Column::Lock)) ? "unlocked"
                                                                                    : "locked",
                                      "",
                                      "",
                                      "",
                                      ""};
        bool first = true;
        for (const std::string& field : fields) {
            csv += first ? "" : ",";
            csv += CsvField(field);
            first = false;
        }
        csv += "\r\n";
    }
    return csv;
}

std::vector<ImportRow> ReadChirpRows(const CsvParse& parse, Language lang) {
    std::vector<ImportRow> rows;
    const std::vector<std::string>& header = parse.rows.front().fields;
    std::vector<std::pair<std::string, std::size_t>> columns; // lower-case name -> field
    std::size_t needed = 0;
    for (std::string_view name : kHeader) {
        for (std::size_t field = 0; field < header.size(); ++field) {
            if (Lower(TrimBlanks(header[field])) == Lower(name)) {
                columns.emplace_back(std::string(name), field);
                needed = std::max(needed, field + 1);
                break;
            }
        }
    }
    for (std::size_t at = 1; at < parse.rows.size(); ++at) {
        const CsvRow& row = parse.rows[at];
        if (row.fields.size() < needed) {
            rows.push_back(
                {row.line,
                 std::nullopt,
                 {},
                 FillText(txt::CsvShortRow, lang,
                          {std::to_string(row.fields.size()), std::to_string(header.size())})});
            continue;
        }
        const auto get = [&](std::string_view name) -> std::string_view {
            for (const auto& [column, field] : columns) {
                if (column == name) {
                    return TrimBlanks(row.fields[field]);
                }
            }
            return {};
        };
        // An empty or zero frequency is an unused memory of the other program; text that is no
        // frequency goes on to the Rx check, which refuses it.
        const std::optional<std::int32_t> parsedRx = ParseFrequencyText(get("Frequency"));
        const std::int32_t rx = parsedRx.value_or(-1);
        if (rx == 0 || get("Frequency").empty()) {
            continue;
        }
        ImportRow& read = rows.emplace_back();
        read.line = row.line;
        read.number = std::string(get("Location"));
        const auto refuse = [&](std::string reason) { read.refusal = std::move(reason); };
        // This radio sends and receives FM only: a channel of another mode is left out, not
        // turned into an FM channel its user never asked for.
        if (const std::string_view mode = get("Mode");
            !mode.empty() && Lower(mode) != "fm" && Lower(mode) != "nfm") {
            refuse(FillText(txt::CsvModeNotFm, lang, {std::string(mode)}));
            continue;
        }
        ImportCells& cells = read.cells;
        cells[Index(Column::Rx)] = rx > 0 ? Megahertz(rx, false) : std::string(get("Frequency"));

        const std::string duplex = Lower(get("Duplex"));
        const std::optional<std::int32_t> parsedOffset =
            get("Offset").empty() ? 0 : ParseFrequencyText(get("Offset"));
        if (!parsedOffset && (duplex == "+" || duplex == "-" || duplex == "split")) {
            refuse(Refused("Offset", get("Offset"), lang));
            continue;
        }
        const std::int32_t offset = parsedOffset.value_or(0);
        std::optional<std::int32_t> tx = rx;
        if (duplex == "+") {
            tx = Clamped(std::int64_t{rx} + offset);
        } else if (duplex == "-") {
            tx = Clamped(std::int64_t{rx} - offset);
        } else if (duplex == "split") {
            tx = offset;
        } else if (duplex == "off") {
            tx.reset();
        } else if (!duplex.empty()) {
            refuse(Refused("Duplex", get("Duplex"), lang));
            continue;
        }
        // A Tx frequency of zero or below is left for the band check to refuse.
        cells[Index(Column::Tx)] = !tx        ? std::string()
                                   : *tx <= 0 ? std::string("0")
                                              : Megahertz(*tx, false);

        const std::string_view polarity = get("DtcsPolarity");
        const bool polarityOk =
            polarity.empty() ||
            (polarity.size() == 2 && std::all_of(polarity.begin(), polarity.end(),
                                                 [](char c) { return c == 'N' || c == 'R'; }));
        if (!polarityOk) {
            refuse(Refused("DtcsPolarity", polarity, lang));
            continue;
        }
        const char txPolarity = polarity.empty() ? 'N' : polarity[0];
        const char rxPolarity = polarity.empty() ? 'N' : polarity[1];
        const std::string none(txt::ToneNone.In(lang));
        std::string txTone = none, rxTone = none;
        const std::string toneMode = Lower(get("Tone"));
        if (toneMode == "tone") {
            txTone = CtcssText(get("rToneFreq"));
        } else if (toneMode == "tsql") {
            txTone = rxTone = CtcssText(get("cToneFreq"));
        } else if (toneMode == "dtcs") {
            txTone = DcsText(get("DtcsCode"), txPolarity);
            rxTone = DcsText(get("DtcsCode"), rxPolarity);
        } else if (toneMode == "cross") {
            const std::string cross = Lower(get("CrossMode"));
            const std::size_t arrow = cross.find("->");
            const std::string txKind = arrow == std::string::npos ? "?" : cross.substr(0, arrow);
            const std::string rxKind = arrow == std::string::npos ? "?" : cross.substr(arrow + 2);
            const auto known = [](const std::string& kind) {
                return kind.empty() || kind == "tone" || kind == "dtcs";
            };
            if (!known(txKind) || !known(rxKind) || (txKind.empty() && rxKind.empty())) {
                refuse(Refused("CrossMode", get("CrossMode"), lang));
                continue;
            }
            if (txKind == "tone") {
                txTone = CtcssText(get("rToneFreq"));
            } else if (txKind == "dtcs") {
                txTone = DcsText(get("DtcsCode"), txPolarity);
            }
            if (rxKind == "tone") {
                rxTone = CtcssText(get("cToneFreq"));
            } else if (rxKind == "dtcs") {
                rxTone = DcsText(get("RxDtcsCode"), rxPolarity);
            }
        } else if (!toneMode.empty()) {
            refuse(Refused("Tone", get("Tone"), lang));
            continue;
        }
        cells[Index(Column::DecodeTone)] = rxTone;
        cells[Index(Column::EncodeTone)] = txTone;

        const std::string_view watts = get("Power");
        if (!watts.empty() && watts.find_first_of("0123456789") == std::string_view::npos) {
            refuse(Refused("Power", watts, lang));
            continue;
        }
        const double level = watts.empty() ? kHighFromWatts : ParseLeadingDecimal(watts);
        cells[Index(Column::Power)] = std::string((level >= kHighFromWatts     ? txt::PowerHigh
                                                   : level >= kMiddleFromWatts ? txt::PowerMiddle
                                                                               : txt::PowerLow)
                                                      .In(lang));

        const std::string comment = Lower(get("Comment"));
        const bool unlocked = comment.find("unlocked") != std::string::npos;
        cells[Index(Column::Lock)] = std::string((unlocked ? txt::LockOff : txt::LockOn).In(lang));
        cells[Index(Column::ScanAdd)] =
            std::string((get("Skip") == "S" ? txt::ScanNo : txt::ScanYes).In(lang));

        // Other programs' names may be longer or hold characters this radio has no code for:
        // keep what the radio can show.
        std::string name;
        for (char c : get("Name")) {
            const char upper = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
            if (name.size() < 8 && EncodeNameChar(upper) != 0xFF) {
                name += upper;
            }
        }
        cells[Index(Column::Name)] = name;
    }
    return rows;
}

} // namespace velmora
