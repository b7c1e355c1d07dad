#include <gtest/gtest.h>

#include "base/TempFolder.h"
#include "channels/ChannelClipboard.h"
#include "channels/ChirpCsv.h"
#include "channels/CsvChannels.h"
#include "channels/CsvImport.h"
#include "channels/CsvReader.h"
#include "channels/ImageDiff.h"
#include "image/DataFile.h"
#include "link/BackupStore.h"
#include "link/TraceFile.h"

#include <filesystem>
#include <fstream>
#include <iomanip>
#include <map>
#include <sstream>
#include <string_view>

namespace velmora {
namespace {

const BandLimits kVhf{13600000, 17400000, true};

// Every kind of channel the grid can hold, in grid texts.
ChannelGridTexts VariedGrid() {
    ChannelGridTexts grid;
    grid[0] = {"145.01250", "145.01250", "None", "None", "High", "Lock", "Yes", ""};
    grid[1] = {"145.50000", "146.10000", "None", "67.0", "Middle", "Unlock", "No", "RPT-1"};
    grid[2] = {"146.02500", "145.42500", "88.5", "88.5", "Low", "Lock", "Yes", "TSQL"};
    grid[4] = {"147.00625", "147.00625", "D754I", "D754N", "High", "Lock", "No", "DCSPOL"};
    grid[5] = {"150.00000", "150.00000", "67.0", "D023I", "Low", "Unlock", "Yes", "T_D"};
    grid[6] = {"150.00250", "150.00250", "D115N", "254.1", "Middle", "Lock", "Yes", ""};
    grid[7] = {"151.00500", "151.00500", "D025N", "D026I", "High", "Lock", "Yes", "DD"};
    grid[8] = {"152.00000", "152.00000", "100.0", "118.8", "High", "Lock", "Yes", "TT"};
    grid[9] = {"153.00000", "153.00000", "D311N", "None", "Low", "Lock", "Yes", ""};
    grid[10] = {"154.00000", "154.00000", "123.0", "None", "Low", "Lock", "Yes", "RXONLY"};
    grid[11] = {"155.00000", "", "None", "None", "High", "Lock", "Yes", "NOTX"};
    grid[12] = {"140.00000", "170.00000", "None", "None", "High", "Lock", "Yes", "SPLIT"};
    grid[150] = {"173.99375", "136.00000", "None", "D023N", "Middle", "Unlock", "No", "ABCDEFGH"};
    grid[199] = {"136.00000", "136.00000", "None", "None", "High", "Lock", "Yes", "12345678"};
    return grid;
}

// A channel's texts joined by '|'.
std::string Joined(const ChannelTexts& texts) {
    std::string joined = texts[0];
    for (std::size_t k = 1; k < texts.size(); ++k) {
        joined += "|" + texts[k];
    }
    return joined;
}

TEST(CsvReader, QuotingLineEndsBomAndBlankLines) {
    const CsvParse parse =
        ParseCsv("\xEF\xBB\xBF"
                 "a,\"b,c\",\"say \"\"hi\"\"\"\r\n\r\n\"two\nlines\",x\ry,\n,\n");
    ASSERT_EQ(parse.badLine, 0);
    ASSERT_EQ(parse.rows.size(), 4u);
    EXPECT_EQ(parse.rows[0].fields, (std::vector<std::string>{"a", "b,c", "say \"hi\""}));
    EXPECT_EQ(parse.rows[1].fields, (std::vector<std::string>{"two\nlines", "x"}));
    EXPECT_EQ(parse.rows[1].line, 3);
    EXPECT_EQ(parse.rows[2].fields, (std::vector<std::string>{"y", ""}));
    EXPECT_EQ(parse.rows[2].line, 5);
    EXPECT_EQ(parse.rows[3].fields, (std::vector<std::string>{"", ""}));
    EXPECT_EQ(ParseCsv("a\n\"open,\nb\n").badLine, 2);
    // A doubled quote that ends the text leaves the field open; the view's end is its end.
    EXPECT_EQ(ParseCsv("\"a\"\"").badLine, 1);
    EXPECT_EQ(ParseCsv(std::string_view("\"a\"\"", 3)).rows.at(0).fields,
              std::vector<std::string>{"a"});
    // Line ends inside quotes count as lines too, CR LF as one, a lone CR as one.
    EXPECT_EQ(ParseCsv("\"a\r\nb\",c\nd\n").rows[1].line, 3);
    EXPECT_EQ(ParseCsv("\"a\rb\",c\nd\n").rows[1].line, 3);
    EXPECT_EQ(ParseCsv("\"a\r\nb\",\"c\rd\"\ne\n").rows[0].fields,
              (std::vector<std::string>{"a\r\nb", "c\rd"}));
}

// Every channel read back from our layout in either language and from the exchange layout, whose
// rows are written as the other programs write them.
TEST(ChirpCsv, ExportWritesTheExchangeLayoutAndBothLayoutsReadBackEveryChannel) {
    const ChannelGridTexts grid = VariedGrid();
    const std::string csv = ExportChirpCsv(grid);
    for (const std::string& text : {ExportChannelsCsv(grid, Language::English),
                                    ExportChannelsCsv(grid, Language::Chinese), csv}) {
        const CsvImportResult result = ImportChannelsCsv(text, {}, kVhf, Language::English);
        EXPECT_TRUE(result.rejected.empty()) << result.rejected.front().reason;
        EXPECT_EQ(result.grid, grid) << text;
        EXPECT_EQ(result.changedChannels,
                  (std::vector<int>{0, 1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 150, 199}));
    }
    const auto row = [&](int channel) {
        const std::string start = "\r\n" + std::to_string(channel) + ",";
        const std::size_t at = csv.find(start) + 2;
        return csv.substr(at, csv.find("\r\n", at) - at);
    };
    EXPECT_TRUE(csv.starts_with("Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,"
                                "DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,"
                                "Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n"));
    EXPECT_EQ(row(1), "1,RPT-1,145.500000,+,0.600000,Tone,67.0,88.5,023,NN,023,Tone->Tone,FM,"
                      "12.50,S,2.0W,unlocked,,,,");
    EXPECT_EQ(row(2), "2,TSQL,146.025000,-,0.600000,TSQL,88.5,88.5,023,NN,023,Tone->Tone,FM,"
                      "12.50,,0.5W,locked,,,,");
    EXPECT_EQ(row(4), "4,DCSPOL,147.006250,,0.000000,DTCS,88.5,88.5,754,NR,754,Tone->Tone,FM,"
                      "6.25,S,5.0W,locked,,,,");
    EXPECT_EQ(row(7), "7,DD,151.005000,,0.000000,Cross,88.5,88.5,026,RN,025,DTCS->DTCS,FM,5.00,,"
                      "5.0W,locked,,,,");
}

// Rows of another program, one field at a time: each is channel 3 on 145.5 MHz but for the
// fields given, under that program's header (its own column order, a column we do not know,
// names in other cases and blanks, a BOM). The channel's texts joined by '|', or the refusal.
TEST(ChirpCsv, ReadsEachFieldAsTheRadioCanTakeIt) {
    const std::vector<std::string> titles = {
        "frequency", "Extra",     "Location",  " Name ",   "Duplex",       "Offset",
        "Tone",      "rToneFreq", "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode",
        "CrossMode", "Mode",      "Power",     "Comment",  "Skip"};
    const std::string rx = "145.50000|", plain = rx + "145.50000|None|None|High|Lock|Yes|";
    const std::string out = ": Out of range,please input again.",
                      bad = ": not a value this column takes";
    const struct {
        std::map<std::string, std::string> fields;
        std::string expected;
    } cases[] = {
        // clang-format off
        {{{"Name", "az rpt-_9 long"}, {"Mode", "NFM"}}, plain + "AZRPT-_9"},
        {{{"frequency", "0"}}, "(unused)"}, {{{"frequency", ""}}, "(unused)"},
        {{{"frequency", "0.000010"}}, "Rx Frequency '0.00001'" + out},
        {{{"frequency", "146.5abc"}}, "Rx Frequency '146.5abc'" + out},
        {{{"frequency", "\"146,5\""}}, "146.50000|146.50000|None|None|High|Lock|Yes|"},
        {{{"Mode", "AM"}}, "mode AM: this radio transmits FM only"},
        // Duplex and offset (the shifts themselves: the round trip).
        {{{"Duplex", "-"}}, plain}, {{{"Offset", "x"}}, plain}, // no shift, no offset needed
        {{{"Duplex", "+"}, {"Offset", "x"}}, "Offset 'x'" + bad},
        {{{"Duplex", "?"}}, "Duplex '?'" + bad},
        {{{"Duplex", "-"}, {"Offset", "145.5"}}, "Tx Frequency '0'" + out},
        {{{"Duplex", "-"}, {"Offset", "146"}}, "Tx Frequency '0'" + out},
        {{{"Duplex", "+"}, {"Offset", "9999"}}, "Tx Frequency '999.99999'" + out},
        // Tones: the decode (receive) column first.
        {{{"Tone", "Tone"}, {"rToneFreq", "100"}}, rx + "145.50000|None|100.0|High|Lock|Yes|"},
        {{{"Tone", "TSQL"}}, rx + "145.50000|88.5|88.5|High|Lock|Yes|"},
        {{{"Tone", "DTCS"}, {"DtcsCode", "23"}, {"DtcsPolarity", "RN"}},
         rx + "145.50000|D023N|D023I|High|Lock|Yes|"},
        {{{"Tone", "DTCS"}, {"DtcsPolarity", "NX"}}, "DtcsPolarity 'NX'" + bad},
        {{{"Tone", "Cross"}, {"CrossMode", "DTCS->"}}, rx + "145.50000|None|D023N|High|Lock|Yes|"},
        {{{"Tone", "Cross"}, {"CrossMode", "->"}}, "CrossMode '->'" + bad},
        {{{"Tone", "Cross"}, {"CrossMode", "Tone"}}, "CrossMode 'Tone'" + bad},
        {{{"Tone", "Other"}}, "Tone 'Other'" + bad},
        // Other radios' power levels, the lock in the comment, Skip.
        {{{"Power", "3.5W"}}, plain},
        {{{"Power", "1.25W"}}, rx + "145.50000|None|None|Middle|Lock|Yes|"},
        {{{"Power", "1.2W"}, {"Comment", "Unlocked by me"}, {"Skip", "S"}},
         rx + "145.50000|None|None|Low|Unlock|No|"},
        {{{"Power", "high"}}, "Power 'high'" + bad},
        // clang-format on
    };
    for (const auto& c : cases) {
        std::map<std::string, std::string> fields = c.fields;
        fields.insert({{"frequency", "145.5"}, {"Location", "3"}}); // where the case gives none
        std::string csv = "\xEF\xBB\xBF", row;
        for (const std::string& title : titles) {
            const bool first = &title == &titles.front();
            csv += (first ? "" : ",") + title;
            row += (first ? "" : ",") + fields[std::string(TrimBlanks(title))];
        }
        csv += "\r\n" + row + "\r\n";
        ASSERT_EQ(DetectCsvFormat(csv), CsvFormat::Chirp);
        const CsvImportResult result = ImportChannelsCsv(csv, {}, kVhf, Language::English);
        EXPECT_EQ(!result.rejected.empty()         ? result.rejected[0].reason
                  : result.changedChannels.empty() ? "(unused)"
                                                   : Joined(result.grid[3]),
                  c.expected)
            << row;
    }
}

// A row after a first one, into a grid whose channel 4 is in use: what the channel holds then
// (empty cells leave a channel's settings, and give a new one the defaults typing gives it), or
// the refusal of the row, which leaves every channel as it was.
TEST(CsvImport, ReadsEachRowAsTypingWould) {
    ChannelGridTexts grid;
    grid[4] = {"150.00000", "150.00000", "67.0", "D023N", "Low", "Unlock", "No", "KEEP"};
    const struct {
        std::string row;
        int channel;
        std::string expected; // the channel's texts joined by '|', or the refusal
    } cases[] = {
        // clang-format off
        {"4,146.00625,,,,,,,OLD", 4, "146.00625||67.0|D023N|Low|Unlock|No|OLD"},
        {"5,\"146,0125 MHz\",146.025MHz,,,,,,", 5, "146.01250|146.02500|None|None|High|Lock|Yes|"},
        {"4,,,,,,,,", 4, "|||||||"},
        {"4,145", 4, "the row has 2 fields, the header 9"},
        {"200,145,,,,,,,", 4, "'200' is not a channel number (0-199)"},
        {"-1,145,,,,,,,", 4, "'-1' is not a channel number (0-199)"},
        {"x,145,,,,,,,", 4, "'x' is not a channel number (0-199)"},
        {"4,145,,67.1,,,,,", 4, "QT/DQT Dec '67.1': not a value this column takes"},
        {"4,145,,,,Max,,,", 4, "Power 'Max': not a value this column takes"},
        {"4,145,,,,,,,NINECHARS", 4, "Cha Name 'NINECHARS': not a value this column takes"},
        {"4,145,,,,,,,AB.C", 4, "Cha Name 'AB.C': a name holds only 0-9, A-Z, - and _"},
        // clang-format on
    };
    const std::string start = "CH,Rx Frequency,Tx Frequency,QT/DQT Dec,QT/DQT Enc,Power,Cha Lock,"
                              "Scan Add,Cha Name\r\n0,145,,,,,,,\r\n";
    for (const auto& c : cases) {
        const CsvImportResult result =
            ImportChannelsCsv(start + c.row, grid, kVhf, Language::English);
        if (result.rejected.empty()) {
            EXPECT_EQ(Joined(result.grid[static_cast<std::size_t>(c.channel)]), c.expected);
            EXPECT_EQ(result.changedChannels, (std::vector<int>{0, c.channel}));
            continue;
        }
        EXPECT_EQ(result.rejected[0].reason, c.expected);
        EXPECT_EQ(result.rejected[0].line, 3) << c.row;
        EXPECT_EQ(result.grid[4], grid[4]) << c.row;
        EXPECT_EQ(result.changedChannels, std::vector<int>{0});
    }
    // Titles in either language, in any order (the first column may hold data), words in either
    // language, a column we do not know; a new channel takes the defaults of the columns missing.
    EXPECT_EQ(ImportChannelsCsv("接收频率,信道,名字不明,功率,扫描添加\n145.0125,3,?,低,无\n", grid,
                                kVhf, Language::English)
                  .grid[3],
              (ChannelTexts{"145.01250", "145.01250", "None", "None", "Low", "Lock", "No", ""}));
    // Of two channel number columns, the first counts.
    EXPECT_EQ(ImportChannelsCsv("CH,Rx Frequency,CH\r\n5,145,7\r\n", grid, kVhf, Language::English)
                  .changedChannels,
              std::vector<int>{5});
    const CsvImportResult noHeader = ImportChannelsCsv(
        "\r\n0,145.00000,,None,None,High,Lock,Yes,\r\n", grid, kVhf, Language::English);
    ASSERT_EQ(noHeader.rejected.size(), 1u);
    EXPECT_EQ(noHeader.rejected[0].line, 2);
    EXPECT_EQ(noHeader.rejected[0].reason, txt::CsvNoHeader.en);
    EXPECT_EQ(noHeader.grid, grid);
}

TEST(ImageDiff, NamesChannelsOptionsThenOtherBytes) {
    MemoryImage a = NewImage();
    ChannelGridTexts grid;
    grid[0] = grid[5] = {"145.01250", "145.01250", "None", "None", "High", "Lock", "Yes", ""};
    EncodeAllChannels(a, grid);
    MemoryImage b = a;
    // Channel 0 changed: its bytes are not listed again, but one the grid does not show is.
    grid[0][0] = "145.02500";
    grid[0][7] = "NEW";
    EncodeAllChannels(b, grid);
    b[offset::Step] = 5;
    b[0x0C85] = 0x00; // between the records and the names
    b[13] ^= 0x01;    // a byte the radio keeps in a channel
    const std::vector<std::string> expected = {
        "channel 0: Rx Frequency 145.01250 -> 145.02500",
        "channel 0: Cha Name (empty) -> NEW",
        "option Step: " + std::string(txt::PrintSteps[a[offset::Step]].en) + " -> 25k",
        "byte 0x000D: 0xFF -> 0xFE",
        "byte 0x0C85: 0xFF -> 0x00",
    };
    EXPECT_EQ(DiffImages(a, b, Language::English), expected);
}

// "2026-12-06 22:50:01" on this computer's clock.
std::chrono::system_clock::time_point LocalTime(const char* text) {
    std::tm tm{};
    std::istringstream(text) >> std::get_time(&tm, "%Y-%m-%d %H:%M:%S");
    tm.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&tm));
}

TEST(Backups, KeepNamesListsNewestFirstAndPrunesAfterAYear) {
    const test::TempFolder temp;
    const std::filesystem::path& folder = temp.Folder();
    BackupStore store((folder / "sub").string());
    MemoryImage image = NewImage();
    image[offset::TypeIndex] = 1;
    const auto when = LocalTime("2026-12-06 22:50:01");
    std::string path;
    ASSERT_TRUE(store.Keep(image, "read", LocalTime("2026-01-10 08:00:00"), path));
    ASSERT_TRUE(store.Keep(image, "read", when, path));
    EXPECT_EQ(std::filesystem::path(path).filename(), "velmora-20261206-225001-read.dat");
    ASSERT_TRUE(store.Keep(image, "write", when, path));
    ASSERT_TRUE(store.Keep(image, "read", when, path));
    EXPECT_EQ(std::filesystem::path(path).filename(), "velmora-20261206-225001-read-2.dat");
    ASSERT_TRUE(store.Keep(image, "write", when, path)); // write-2, then read-3 lists first
    ASSERT_TRUE(store.Keep(image, "read", when, path));
    std::ofstream((folder / "sub" / "velmora-20200101-000000-read.txt").string()) << "mine";

    ProductCatalog catalog;
    catalog.typeNames = {"VR-100", "VR-200"};
    const std::vector<BackupEntry> list = store.List(catalog);
    ASSERT_EQ(list.size(), 6u);
    EXPECT_EQ(std::filesystem::path(list[0].path).filename(), "velmora-20261206-225001-read-3.dat");
    EXPECT_EQ(list[0].timestamp, "2026-12-06 22:50:01");
    EXPECT_EQ(list[0].model, "VR-200");
    EXPECT_EQ(list[0].reason, "read");
    EXPECT_EQ(list[5].timestamp, "2026-01-10 08:00:00");

    // A year and a day later the oldest goes on the next Keep (or the first Prune would count
    // it); a backup exactly a year old is kept, a second later it goes; other files stay.
    ASSERT_TRUE(store.Keep(image, "write", LocalTime("2027-01-11 09:00:00"), path));
    const auto aYearOn = when + kBackupKeepTime;
    EXPECT_EQ(store.Prune(aYearOn), 0);
    EXPECT_EQ(store.Prune(aYearOn + std::chrono::seconds(1)), 5);
    EXPECT_EQ(store.Prune(LocalTime("2028-06-01 00:00:00")), 1);
    EXPECT_TRUE(std::filesystem::exists(folder / "sub" / "velmora-20200101-000000-read.txt"));
}

TEST(TraceFormat, MillisecondsDirectionHexAndEndings) {
    using std::chrono::microseconds;
    using namespace std::string_view_literals;
    // Plain values only (the bytes as a view), so the table needs no clean-up code.
    const struct {
        TraceEvent::Kind kind;
        microseconds at;
        std::string_view bytes;
        IoResult result;
        std::string_view line;
    } cases[] = {
        {TraceEvent::Kind::Sent, microseconds(12345), "\x57\x1F\xF0\x03"sv, IoResult::Ok,
         "    12.345 ms > 57 1F F0 03"},
        {TraceEvent::Kind::Received, microseconds(603000), ""sv, IoResult::TimedOut,
         "   603.000 ms < (none, timed out)"},
        {TraceEvent::Kind::Received, microseconds(1234567008), "\x06\x00"sv, IoResult::TimedOut,
         "1234567.008 ms < 06 00 (timed out)"},
        {TraceEvent::Kind::Received, microseconds(5), ""sv, IoResult::Disconnected,
         "     0.005 ms < (disconnected)"},
    };
    for (const auto& c : cases) {
        const TraceEvent event{c.kind, c.at,
                               std::vector<std::uint8_t>(c.bytes.begin(), c.bytes.end()), c.result};
        EXPECT_EQ(FormatTrace(event), c.line);
    }
}

} // namespace
} // namespace velmora
