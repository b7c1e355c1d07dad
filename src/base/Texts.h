// Every text the program shows, as English/Chinese pairs, in one place: the words of the
// windows, dialogs and printed pages here, the messages in MessageTexts.h.
#pragma once

#include "base/MessageTexts.h"
#include "base/TextPair.h"

#include <string_view>

namespace velmora {
namespace txt {

// Channel cell words.
inline constexpr TextPair ToneNone{"None", "无"};
inline constexpr TextPair PowerHigh{"High", "高"};
inline constexpr TextPair PowerMiddle{"Middle", "中"};
inline constexpr TextPair PowerLow{"Low", "低"};
inline constexpr TextPair LockOn{"Lock", "锁定"};
inline constexpr TextPair LockOff{"Unlock", "未锁定"};
inline constexpr TextPair ScanYes{"Yes", "有"};
inline constexpr TextPair ScanNo{"No", "无"};

// Channel grid column titles, columns 0 to 8.
inline constexpr TextPair ColumnTitles[9] = {
    {"CH", "信道"},
    {"Rx Frequency", "接收频率"},
    {"Tx Frequency", "发射频率"},
    {"QT/DQT Dec", "QT/DQT解码"},
    {"QT/DQT Enc", "QT/DQT编码"},
    {"Power", "功率"},
    {"Cha Lock", "信道锁定"},
    {"Scan Add", "扫描添加"},
    {"Cha Name", "信道名字"},
};
inline constexpr std::string_view PriorityRowLabel = "Pr";

// Document, tree and window titles.
inline constexpr TextPair ChannelInformation{"Channel Information", "信道信息"};
inline constexpr TextPair ProductInformation{"Product Information", "类型设置"};
inline constexpr TextPair OptionalFeatures{"Optional Features", "可选功能"};
inline constexpr TextPair TitleType{"  [ Type:", "  [ 类型:"};
inline constexpr TextPair TitleBand{"  Fre:", "  频率:"};
inline constexpr std::string_view TitleEnd = " ]";
// After the title when the band's numbers cannot be frequencies: every frequency is refused.
inline constexpr TextPair TitleUnusableBand{" (unusable band)", " (频段不可用)"};

// Transfer dialog captions.
inline constexpr TextPair ReadData{"Read Data", "读数据"};
inline constexpr TextPair WriteData{"Write Data", "写数据"};

// Serial port: the COM Setup dialog (its template texts read the same in both languages) and
// why a port could not be opened, the line shown under "Could not Open the Port,...".
// %1, %2 and %3 are filled in by the caller.
inline constexpr TextPair ComSetupCaption = Same("COM Setup");
inline constexpr TextPair ComSetupGroup = Same("COM");
inline constexpr TextPair PortNoDevice{"(no device)", "(无设备)"};
inline constexpr TextPair PortNotFound{"No such device: %1", "没有这个设备: %1"};
inline constexpr TextPair PortBusy{"%1 is in use by another program.", "%1 正被其他程序占用。"};
inline constexpr TextPair PortBusyBy{"%1 is in use by %2 (process %3).",
                                     "%1 正被 %2 (进程 %3) 占用。"};
inline constexpr TextPair PortNoPermission{
    "No permission to use %1. Add your user to its group %2: sudo usermod -aG %2 $USER, "
    "then log out and back in.",
    "没有使用 %1 的权限。请把用户加入它的组 %2：sudo usermod -aG %2 $USER，然后注销并重新登录。"};
inline constexpr TextPair PortFailed{"%1: %2", "%1: %2"};
inline constexpr TextPair PortNoButtonDevice{"No serial device stands for %1.",
                                             "%1 没有对应的串口设备。"};
inline constexpr TextPair PortSlowLatency{
    "%1 holds received bytes for %2 ms (latency_timer), which slows every transfer. A udev "
    "rule sets it to 1 ms: ACTION==\"add\", SUBSYSTEM==\"usb-serial\", DRIVER==\"ftdi_sio\", "
    "ATTR{latency_timer}=\"1\"",
    "%1 接收字节要等 %2 毫秒才交出 (latency_timer)，传输因此变慢。用 udev 规则把它设为 1 毫秒："
    "ACTION==\"add\", SUBSYSTEM==\"usb-serial\", DRIVER==\"ftdi_sio\", "
    "ATTR{latency_timer}=\"1\""};

// Option values shared by the settings dialog and the printed options page.
inline constexpr TextPair Off{"Off", "关"};
inline constexpr TextPair On{"On", "开"};
inline constexpr TextPair Auto{"Auto", "自动"};
inline constexpr TextPair Manual{"Manual", "手动"};
inline constexpr TextPair ModeChannel{"Channel", "信道"};
inline constexpr TextPair ModeFrequency{"Frequency", "频率"};
inline constexpr TextPair ModeMemory{"Memory", "存储"};

// Call Key Define list items (the misspelt "Emegency" is what the radio's users know).
inline constexpr TextPair CallKeyItems[4] = {
    {"Off", "关"},
    {"Call Tone", "呼叫音"},
    {"Emegency Alarm", "紧急报警"},
    {"Call Tone + Emergency Alarm", "呼叫音+紧急报警"},
};

// Optional Features dialog: its labels and the items of its other lists, as its template
// carries them: English whatever the language.
inline constexpr std::string_view DlgCallKeyDefine = "Call Key Define";
inline constexpr std::string_view DlgTimeOutTimer = "Time-Out Timer";
inline constexpr std::string_view DlgSquelchLevel = "Squelch Level";
inline constexpr std::string_view DlgBeep = "Beep";
inline constexpr std::string_view DlgCallTone = "Call Tone";
inline constexpr std::string_view DlgChannelDisplay = "Channel Display";
inline constexpr std::string_view DlgPriorityScan = "Priority Scan";
inline constexpr std::string_view DlgBusy = "Busy";
inline constexpr std::string_view DlgPriScanningTime = "Pri-Scanning Time";
inline constexpr std::string_view DlgScanMode = "Scan Mode";
inline constexpr std::string_view DlgKeypadLock = "Keypad Lock";
inline constexpr std::string_view DlgLed = "LED";
inline constexpr std::string_view DlgMode = "Mode";
inline constexpr std::string_view DlgEncoder = "Encoder";
inline constexpr std::string_view DlgVoiceSensitivity = "Voice Sensitivity";
inline constexpr std::string_view DlgStep = "Step";
inline constexpr std::string_view DlgBatterySaver = "Battery Saver";
inline constexpr std::string_view ItemsSquelchLevel[] = {"0", "1", "2", "3", "4",
                                                         "5", "6", "7", "8", "9"};
inline constexpr std::string_view ItemsTimeOutTimer[] = {"Off", "1", "3", "10"};
inline constexpr std::string_view ItemsStep[] = {"2.5k", "5k", "10k", "6.25k", "12.5k", "25k"};
inline constexpr std::string_view ItemsOffOn[] = {"Off", "On"};
inline constexpr std::string_view ItemsScanMode[] = {"SE", "CO", "TO"};
inline constexpr std::string_view ItemsLed[] = {"Off", "Auto", "On"};
inline constexpr std::string_view ItemsKeypadLock[] = {"Manual", "Auto"};
inline constexpr std::string_view ItemsMode[] = {"Channel", "Frequency", "Memory"};
inline constexpr std::string_view ItemsVoiceSensitivity[] = {
    "Off", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16"};
inline constexpr std::string_view ItemsCallTone[] = {"Off", "1", "2", "3", "4",
                                                     "5",   "6", "7", "8", "1750"};
inline constexpr std::string_view ItemsBatterySaver[] = {"Off", "0.2", "0.4", "0.6", "0.8", "1.0"};
inline constexpr std::string_view ItemsPriScanningTime[] = {"3s", "5s", "8s", "10s"};

// Settings dialogs (Optional Features, Product Information, Language): their captions, labels
// and buttons, as their templates carry them: English whatever the language.
inline constexpr TextPair DlgButtonOk = Same("OK");
inline constexpr TextPair DlgButtonCancel = Same("Cancel");
inline constexpr TextPair OptionalFeaturesCaption = Same("Optional Features");
inline constexpr TextPair ProductInfoCaption = Same("Product Information");
inline constexpr TextPair ProductInfoSetting = Same("Setting");
inline constexpr TextPair ProductInfoType = Same("Type");
inline constexpr TextPair ProductInfoFrequency = Same("Frequency");
inline constexpr TextPair ProductInfoUnusableBand{
    "This band cannot be used: every frequency will be refused.",
    "此频段无法使用：所有频率都将被拒绝。"};
inline constexpr TextPair LanguageCaption = Same("Language");
inline constexpr TextPair LanguageEnglish = Same("English");
inline constexpr TextPair LanguageChinese = Same("Chinese");
inline constexpr TextPair MsgLanguageNotSaved{
    "The language could not be saved in Program.ini; the program keeps its language.",
    "无法将语言保存到Program.ini，程序保持原来的语言。"};

// Navigation bar: the tool tip of its close button and its name in the window's bar menu.
inline constexpr TextPair TreeBarClose = Same("Close");
inline constexpr TextPair TreeBarTitle{"Control Bar", "控制栏"};

// Printed options page.
inline constexpr TextPair PrintOptionTitle{"Option", "可选功能"};
inline constexpr TextPair PrintFunction{"Function", "功能"};
inline constexpr TextPair OptTimeOutTimer{"Time Out Timer:", "超时定时器:"};
inline constexpr TextPair OptSquelchLevel{"Squelch Level:", "静噪电平:"};
inline constexpr TextPair OptBeep{"Beep:", "提示音:"};
inline constexpr TextPair OptCallTone{"Call Tone:", "呼叫铃音:"};
inline constexpr TextPair OptChannelDisplay{"Channel Display:", "信道显示:"};
inline constexpr TextPair OptPriorityScan{"Priority Scan:", "优先扫描:"};
inline constexpr TextPair OptBusy{"Busy", "繁忙:"};
inline constexpr TextPair OptPriScanningTime{"Pri-Scanning Time:", "预扫描时间:"};
inline constexpr TextPair OptScanMode{"Scan Mode:", "扫描模式:"};
inline constexpr TextPair OptKeypadLock{"Keypad Lock:", "键盘锁定:"};
inline constexpr TextPair OptLed{"LED", "LED"};
inline constexpr TextPair OptMode{"Mode:", "模式:"};
inline constexpr TextPair OptEncoder{"Encoder", "编码器"};
inline constexpr TextPair OptVoiceSensitivity{"Voice Sensitivity:", "声控灵敏度:"};
inline constexpr TextPair OptStep{"Step:", "步长:"};
inline constexpr TextPair OptBatterySaver{"Battery Saver:", "电池省电:"};
// Printed option values that read the same in both languages (the Optional Features lists).
inline constexpr TextPair PrintTimeOutMinutes[3] = {Same("1"), Same("3"), Same("10")};
inline constexpr TextPair PrintPriScanningTimes[4] = {Same("3s"), Same("5s"), Same("8s"),
                                                      Same("10s")};
inline constexpr TextPair PrintScanModes[3] = {Same("SE"), Same("CO"), Same("TO")};
inline constexpr TextPair PrintSteps[6] = {Same("2.5k"),  Same("5k"),    Same("10k"),
                                           Same("6.25k"), Same("12.5k"), Same("25k")};
inline constexpr TextPair PrintCallTone1750 = Same("1750");

// Printed channel pages.
inline constexpr TextPair PrintChannelTitle{"Channel", "信道"};
inline constexpr TextPair PrintChannelNumber{"Channel %d:", "信道%d:"};
inline constexpr TextPair PrintRxFrequency{"Receive Frequency:", "接收频率:"};
inline constexpr TextPair PrintTxFrequency{"Transceive Frequency:", "发射频率:"};
inline constexpr TextPair PrintDecode{"QT/DQT Decode:", "QT/DQT解码:"};
inline constexpr TextPair PrintEncode{"QT/DQT Encode:", "QT/DQT编码:"};
inline constexpr TextPair PrintPower{"Power:", "功率:"};
inline constexpr TextPair PrintChannelLock{"Channel Lock:", "信道锁定:"};
inline constexpr TextPair PrintChannelName{"Channel Name:", "信道名字:"};
inline constexpr TextPair PrintPageOf = Same("Page %d of %d");
// The printer refused the job (switched off, removed, out of reach).
inline constexpr TextPair MsgPrintFailed{"The printer could not print the pages.",
                                         "打印机无法打印这些页面。"};

// Menus and toolbar tips. "About" is replaced at start-up by the installation's own text.
inline constexpr TextPair MenuFile{"&File", "文件(&F)"};
inline constexpr TextPair MenuEdit{"&Edit", "编辑(&E)"};
inline constexpr TextPair MenuView{"&View", "查看(&V)"};
inline constexpr TextPair MenuProgram{"&Program", "编程(&P)"};
inline constexpr TextPair MenuSetup{"&Setup", "设置(&S)"};
inline constexpr TextPair MenuHelp{"&Help", "帮助(&H)"};
inline constexpr TextPair CmdNew{"&New", "新建(&N)"};
inline constexpr TextPair CmdOpen{"&Open...", "打开(&O)..."};
inline constexpr TextPair CmdClose{"&Close", "关闭(&C)"};
inline constexpr TextPair CmdSave{"&Save", "保存(&S)"};
inline constexpr TextPair CmdSaveAs{"Save &As...", "另存为(&A)..."};
inline constexpr TextPair CmdPrint{"&Print...", "打印(&P)..."};
inline constexpr TextPair CmdPrintPreview{"Print Pre&view", "打印预览(&V)"};
inline constexpr TextPair CmdPrintSetup{"P&rint Setup...", "打印设置(&R)..."};
inline constexpr TextPair CmdExit{"E&xit", "退出(&X)"};
inline constexpr TextPair CmdProductInformation{"&Product Information", "类型设置(&P)"};
inline constexpr TextPair CmdChannelInformation{"&Channel Information", "信道信息(&C)"};
inline constexpr TextPair CmdOptionalFeatures{"&Optional Features", "可选功能(&O)"};
inline constexpr TextPair CmdToolbar{"&Toolbar", "工具栏(&T)"};
inline constexpr TextPair CmdStatusBar{"&Status Bar", "状态栏(&S)"};
inline constexpr TextPair CmdControlBar{"&Control Bar", "控制栏(&C)"};
inline constexpr TextPair CmdRead{"&Read", "读取(&R)"};
inline constexpr TextPair CmdWrite{"&Write", "写入(&W)"};
inline constexpr TextPair CmdComSetup{"&Com Setup", "串口设置(&C)"};
inline constexpr TextPair CmdLanguage{"&Language", "语言(&L)"};
inline constexpr TextPair CmdAbout{"&About", "关于(&A)"};
inline constexpr TextPair CmdDemo{"&Demo Radio", "演示电台(&D)"};
inline constexpr TextPair MsgDemoFailed{"The demo radio could not be started.",
                                        "无法启动演示电台。"};
inline constexpr TextPair TipNew{"New", "新建"};
inline constexpr TextPair TipOpen{"Open", "打开"};
inline constexpr TextPair TipSave{"Save", "保存"};
inline constexpr TextPair TipRead{"Read", "读取"};
inline constexpr TextPair TipWrite{"Write", "写入"};
inline constexpr TextPair TipPrint{"Print", "打印"};
inline constexpr TextPair TipAbout{"About", "关于"};
inline constexpr TextPair StatusReady{"Ready", "就绪"};
// Unsaved work, the document locked during a transfer, and printing without a dialog.
inline constexpr TextPair MsgSaveChanges{"Save changes to %1?", "是否保存对“%1”的更改？"};
inline constexpr TextPair StatusTransferBusy{"Not while the radio is being read or written.",
                                             "正在读写对讲机，请等它结束。"};
inline constexpr TextPair MsgNoPrinter{"No printer is set up on this computer.",
                                       "这台电脑没有设置打印机。"};
inline constexpr TextPair DataFileFilter{"Data files (*.dat)", "数据文件 (*.dat)"};
inline constexpr std::string_view MainFrameTitle = "Program";

} // namespace txt
} // namespace velmora
