// The texts of the program's messages and reports: channel exchange, the grid's operations and
// history, the radio's own messages, file errors, imports, comparisons and backups.
#pragma once

#include "base/TextPair.h"

#include <vector>

namespace velmora {
namespace txt {

// Channel exchange, undo, backups and traces in the window program. %1 and %2 are filled in by
// the caller.
inline constexpr TextPair CmdImportChannels{"&Import Channels...", "导入信道(&I)..."};
inline constexpr TextPair CmdExportChannels{"&Export Channels...", "导出信道(&E)..."};
inline constexpr TextPair CmdImportChannelsAt{"Import Channels at the Selected C&hannel...",
                                              "导入信道到所选信道(&H)..."};
inline constexpr TextPair MsgImportWarnings{"The channels were imported. Note:",
                                            "信道已导入。请注意："};
inline constexpr TextPair StatusImportedSkipped{"%1 channels imported from %2; %3 skipped",
                                                "已从 %2 导入 %1 个信道，跳过 %3 行"};
inline constexpr TextPair CmdOpenBackup{"Open &Backup...", "打开备份(&B)..."};
inline constexpr TextPair CmdUndo{"&Undo", "撤销(&U)"};
inline constexpr TextPair CmdRedo{"&Redo", "重做(&R)"};
inline constexpr TextPair CmdCopy{"Cop&y", "复制(&Y)"};
inline constexpr TextPair CmdPaste{"P&aste", "粘贴(&A)"};
inline constexpr TextPair CmdTraceTransfers{"&Trace Transfers", "记录通信(&T)"};
// The grid's operations (Edit menu and the grid's context menu) and comparisons (File menu).
inline constexpr TextPair CmdUndoStep{"&Undo %1", "撤销%1(&U)"};
inline constexpr TextPair CmdRedoStep{"&Redo %1", "重做%1(&R)"};
inline constexpr TextPair CmdCut{"Cu&t", "剪切(&T)"};
inline constexpr TextPair CmdDelete{"&Delete", "删除(&D)"};
inline constexpr TextPair CmdInsertRow{"&Insert Row", "插入行(&I)"};
inline constexpr TextPair CmdDeleteRow{"De&lete Row", "删除行(&L)"};
inline constexpr TextPair CmdMoveUp{"Move &Up", "上移(&U)"};
inline constexpr TextPair CmdMoveDown{"Move Do&wn", "下移(&W)"};
inline constexpr TextPair CmdSortByFrequency{"Sort by Rx &Frequency", "按接收频率排序(&F)"};
inline constexpr TextPair CmdSortByName{"Sort by &Name", "按信道名字排序(&N)"};
inline constexpr TextPair CmdFillDown{"Fill Dow&n", "向下填充(&N)"};
inline constexpr TextPair CmdFind{"&Find...", "查找(&F)..."};
inline constexpr TextPair CmdFindNext{"Find Ne&xt", "查找下一个(&X)"};
inline constexpr TextPair CmdCompareWith{"Co&mpare With...", "比较(&M)..."};
inline constexpr TextPair CmdEndComparison{"End Compa&rison", "结束比较(&R)"};
inline constexpr TextPair CmdNextDifference{"Next Di&fference", "下一处不同(&F)"};
inline constexpr TextPair CmdPreviousDifference{"Pre&vious Difference", "上一处不同(&V)"};
inline constexpr TextPair FindCaption{"Find", "查找"};
inline constexpr TextPair FindPrompt{"Find a channel by its name or frequency:",
                                     "按信道名字或频率查找信道："};
inline constexpr TextPair TipInOtherFile{"In %1: %2", "%1 中：%2"};
inline constexpr TextPair StatusCompared{"%1 cells differ from %2", "与 %2 有 %1 个单元格不同"};
inline constexpr TextPair MsgCompareSame{"The channels and options are the same as in %1.",
                                         "信道和选项与 %1 中的相同。"};
inline constexpr TextPair MsgCompareOthers{"Besides the marked cells, %1 differs here:",
                                           "除标出的单元格外，%1 在这些地方不同："};
inline constexpr TextPair StatusNoDifference{"No cell differs.", "没有不同的单元格。"};
inline constexpr TextPair CsvFileFilter{"Channel lists (*.csv)", "信道表 (*.csv)"};
inline constexpr TextPair ChirpCsvFileFilter{"CHIRP channel lists (*.csv)", "CHIRP 信道表 (*.csv)"};
inline constexpr TextPair UndoImport{"Import Channels", "导入信道"};
inline constexpr TextPair UndoPaste{"Paste", "粘贴"};
inline constexpr TextPair UndoEdit{"Edit", "编辑"};
inline constexpr TextPair UndoCut{"Cut", "剪切"};
inline constexpr TextPair UndoDelete{"Delete", "删除"};
inline constexpr TextPair UndoInsertRow{"Insert Row", "插入行"};
inline constexpr TextPair UndoDeleteRow{"Delete Row", "删除行"};
inline constexpr TextPair UndoMoveUp{"Move Up", "上移"};
inline constexpr TextPair UndoMoveDown{"Move Down", "下移"};
inline constexpr TextPair UndoSort{"Sort", "排序"};
inline constexpr TextPair UndoFillDown{"Fill Down", "向下填充"};
inline constexpr TextPair MsgImportRefused{"No channel was imported. These rows were refused:",
                                           "没有导入任何信道。以下各行被拒绝："};
inline constexpr TextPair MsgPasteRefused{"Nothing was pasted. These rows were refused:",
                                          "没有粘贴任何内容。以下各行被拒绝："};
// Why a grid operation changed nothing. %1, %2 and %3 are filled in by the model.
inline constexpr TextPair MsgNothingSelected{"No channel is selected.", "没有选中任何信道。"};
inline constexpr TextPair MsgClipboardEmpty{"There is nothing to paste.", "没有可粘贴的内容。"};
inline constexpr TextPair MsgPastePastEnd{
    "%1 rows were copied, but only %2 fit from channel %3 to channel 199.",
    "复制了 %1 行，但从信道 %3 到信道 199 只能放下 %2 行。"};
// An import placed from a chosen channel that runs past the last one. %1 rows would be
// imported, %2 fit, from channel %3.
inline constexpr TextPair MsgImportPastEnd{
    "%1 channels would be imported, but only %2 fit from channel %3 to channel 199.",
    "将导入 %1 个信道，但从信道 %3 到信道 199 只能放下 %2 个。"};
// An import with refused rows offers to import the others: the rows, then the question
// (%1: how many channels the others are).
inline constexpr TextPair MsgImportSomeRefused{"These rows cannot be imported:",
                                               "以下各行无法导入："};
inline constexpr TextPair MsgImportOthers{"Import the %1 other channels?",
                                          "导入其余 %1 个信道吗？"};
inline constexpr TextPair MsgPasteTooWide{
    "%1 cells were copied side by side, but only %2 fit from the %3 column to the last.",
    "复制了并排的 %1 个单元格，但从“%3”列到最后一列只能放下 %2 个。"};
inline constexpr TextPair MsgInsertRowInUse{
    "No row was inserted: channel %1 is in use and would be pushed past channel 199.",
    "没有插入行：信道 %1 正在使用，插入后会被挤出信道 199。"};
inline constexpr TextPair MsgMoveUpAtTop{"Channel %1 is the first channel; it cannot move up.",
                                         "信道 %1 是第一个信道，无法上移。"};
inline constexpr TextPair MsgMoveDownAtEnd{"Channel %1 is the last channel; it cannot move down.",
                                           "信道 %1 是最后一个信道，无法下移。"};
inline constexpr TextPair MsgFillRefused{"Nothing was filled: channel %1: %2",
                                         "没有填充任何内容：信道 %1：%2"};
inline constexpr TextPair MsgNotFound{"\"%1\" was not found.", "找不到“%1”。"};
inline constexpr TextPair MsgRefusedLine{"line %1: %2", "第 %1 行: %2"};
inline constexpr TextPair MsgMoreRefused{"... and %1 more", "……另有 %1 行"};
inline constexpr TextPair StatusImported{"%1 channels imported from %2", "已从 %2 导入 %1 个信道"};
inline constexpr TextPair StatusExported{"Channels exported to %1", "信道已导出到 %1"};
inline constexpr TextPair StatusCopied{"%1 channels copied", "已复制 %1 个信道"};
inline constexpr TextPair StatusPasted{"%1 channels pasted", "已粘贴 %1 个信道"};
inline constexpr TextPair StatusBackupKept{"Backup kept: %1", "已备份: %1"};
inline constexpr TextPair StatusBackupFailed{"The backup could not be kept: %1",
                                             "无法保存备份: %1"};
inline constexpr TextPair StatusTraceWritten{"Transfer trace written to %1", "通信记录已写入 %1"};
inline constexpr TextPair StatusTraceFailed{"The transfer trace could not be written: %1",
                                            "无法写入通信记录: %1"};
inline constexpr TextPair BackupListCaption{"Open Backup", "打开备份"};
inline constexpr TextPair BackupColumnDate{"Date", "日期"};
inline constexpr TextPair BackupColumnModel{"Model", "型号"};
inline constexpr TextPair BackupColumnKind{"Transfer", "传输"};
inline constexpr TextPair BackupKindRead{"Read", "读取"};
inline constexpr TextPair BackupKindWrite{"Write", "写入"};
inline constexpr TextPair MsgNoBackups{"No backups have been kept yet in %1",
                                       "%1 中还没有任何备份"};
inline constexpr TextPair AboutBackupFolder{"Backups: %1", "备份: %1"};

// Messages. The radio's own messages read the same in both languages, as the radio's users
// have always seen them.
inline constexpr TextPair MsgCaution = Same("Caution");
inline constexpr TextPair MsgOutOfRange = Same("Out of range,please input again.");
inline constexpr TextPair MsgOffRaster =
    Same("Error data Value, please input according the step value(6.25K/5k).");
inline constexpr TextPair MsgAllDataCleared = Same("All data will be Cleared!");
inline constexpr TextPair MsgPortOpenFailed =
    Same("Could not Open the Port,Please check whether the Port are occupied or the device are ok");
inline constexpr TextPair MsgCommunicationError =
    Same("Communication Error,Please check all the connections and the radio power");
inline constexpr TextPair MsgProgramInterrupt =
    Same("Program Interrupt, Please reset the radio and try again");
// The radio's end of the cable went away in the middle of a transfer (a USB adapter pulled out).
inline constexpr TextPair MsgConnectionLost{"Connection to the radio was lost. Check the cable.",
                                            "与电台的连接已断开，请检查连接线。"};

// File errors (the path and the system's reason are appended).
inline constexpr TextPair FileTooShort{"the file is shorter than 8192 bytes", "文件短于8192字节"};
inline constexpr TextPair FileNotFound{"no such file", "文件不存在"};
inline constexpr TextPair FileIsDirectory{"it is a folder, not a file", "这是文件夹，不是文件"};
inline constexpr TextPair FileNotRegular{"it is not a regular file", "这不是普通文件"};
inline constexpr TextPair FileReadFailed{"it cannot be read", "无法读取"};
inline constexpr TextPair FileWriteFailed{"it cannot be written", "无法写入"};
inline constexpr TextPair FileNoFolder{"its folder does not exist", "所在文件夹不存在"};
inline constexpr TextPair FileOpenFailedPrefix{"Cannot open ", "无法打开 "};
inline constexpr TextPair FileSaveFailedPrefix{"Cannot save ", "无法保存 "};

// Channel exchange: CSV import, channel rows pasted from a spreadsheet, the comparison of two
// images, verifying a write and the backups kept of every read and write. %1, %2 and %3 are
// filled in by the caller.
inline constexpr TextPair CsvNoHeader{
    "the first row must name the columns (CH, Rx Frequency, ...) or be a CHIRP-style header",
    "第一行必须是列名（信道、接收频率……）或CHIRP格式的表头"};
inline constexpr TextPair CsvOpenQuote{"a quoted field is never closed", "引号中的字段没有结束"};
inline constexpr TextPair CsvShortRow{"the row has %1 fields, the header %2",
                                      "该行有%1个字段，表头有%2个"};
inline constexpr TextPair CsvBadChannel{"'%1' is not a channel number (0-199)",
                                        "“%1”不是信道号（0-199）"};
inline constexpr TextPair CsvBadCell{"%1 '%2': %3", "%1“%2”：%3"};
inline constexpr TextPair CsvNotAValue{"not a value this column takes", "该列不接受此值"};
inline constexpr TextPair CsvBadNameChars{"a name holds only 0-9, A-Z, - and _",
                                          "信道名字只能含 0-9、A-Z、- 和 _"};
inline constexpr TextPair CsvModeNotFm{"mode %1: this radio transmits FM only",
                                       "模式 %1：本机只能收发 FM"};
// A row that repeats an earlier row of the same import: %1 its channel, %2 its line.
inline constexpr TextPair CsvSameAsEarlier{"same Rx frequency and tones as channel %1 (line %2)",
                                           "接收频率和亚音与信道 %1（第 %2 行）相同"};
inline constexpr TextPair CsvWarning{"warning: %1", "警告：%1"};
inline constexpr TextPair CsvPasteColumns{
    "a pasted row has the channel number and 8 cells, or 8 cells",
    "粘贴的行应为信道号加8个单元格，或8个单元格"};
inline constexpr TextPair DiffEmpty{"(empty)", "（空）"};
inline constexpr TextPair DiffChannel{"channel %1: ", "信道 %1: "};
inline constexpr TextPair DiffOption{"option ", "选项 "};
inline constexpr TextPair DiffByte{"byte ", "字节 "};
inline constexpr TextPair VerifyFailed{"Verify failed: the radio holds other bytes at %1",
                                       "校验失败：电台中这些地址的数据与写入的不同：%1"};
inline constexpr TextPair VerifyPassed{"Verify: the radio holds what was written.",
                                       "校验：电台中的数据与写入的一致。"};
inline constexpr TextPair BackupFailed{"Could not keep a backup in %1: %2",
                                       "无法在%1中保存备份：%2"};
inline constexpr TextPair ImportRejected{"Nothing was written: %1 row(s) were rejected.",
                                         "未写入任何内容：%1行被拒绝。"};
// The last line of import-csv --skip-refused: %1 rows imported, %2 rows skipped.
inline constexpr TextPair ImportSummary{"imported %1, skipped %2", "已导入 %1 行，跳过 %2 行"};
inline constexpr TextPair TraceOpenFailed{"Cannot open the trace file %1: %2",
                                          "无法打开跟踪文件%1：%2"};
// After a read whose file could not be saved: where the memory read from the radio is.
inline constexpr TextPair ReadKeptInBackup{
    "The memory read from the radio is kept in %1; open it in the program to save it elsewhere.",
    "从电台读取的数据已保存在%1；可在程序中打开它另存。"};
inline constexpr TextPair ReadNotKept{"The memory read from the radio could not be kept.",
                                      "从电台读取的数据未能保留。"};

} // namespace txt

// How many lines of a list (refused rows, differences, warnings) one message shows.
inline constexpr std::size_t kListedLines = 20;

// `heading`, then the lines, one per line: at most kListedLines of them and then how many more
// there are ("... and 3 more"), so that a long list never makes a message taller than the screen.
inline std::string ListedLines(std::string heading, const std::vector<std::string>& lines,
                               Language lang) {
    for (std::size_t i = 0; i < lines.size() && i < kListedLines; ++i) {
        heading += '\n';
        heading += lines[i];
    }
    if (lines.size() > kListedLines) {
        heading += '\n';
        heading +=
            FillText(txt::MsgMoreRefused, lang, {std::to_string(lines.size() - kListedLines)});
    }
    return heading;
}

} // namespace velmora
