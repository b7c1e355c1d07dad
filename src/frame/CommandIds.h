// The program's commands. Their numbers are their identities: menus, toolbar and accelerators
// send them, and help uses them as context ids.
#pragma once

namespace velmora {

enum CommandId : int {
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_CLOSE = 57602,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PRINT_SETUP = 57606,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_DIRECT = 57608, // to the default printer, without a dialog
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_EDIT_CLEAR = 57632, // Delete: clears the selected cells or channels
    ID_EDIT_COPY = 57634,
    ID_EDIT_CUT = 57635,
    ID_EDIT_FIND = 57636,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_REPEAT = 57661, // Find Next
    ID_EDIT_UNDO = 57643,
    ID_EDIT_REDO = 57644,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_PROGRAM_READ = 32773,
    ID_PROGRAM_WRITE = 32774,
    ID_SETUP_COM = 32777,
    ID_VIEW_CONTROL_BAR = 32780,
    ID_EDIT_PRODUCT_INFORMATION = 32786,
    ID_EDIT_CHANNEL_INFORMATION = 32787,
    ID_EDIT_OPTIONAL_FEATURES = 32788,
    ID_SETUP_LANGUAGE = 32799,
    ID_SETUP_DEMO = 32800, // a virtual radio inside the program, for trying it without one
    ID_FILE_IMPORT_CHANNELS = 32801,
    ID_FILE_EXPORT_CHANNELS = 32802,
    ID_FILE_OPEN_BACKUP = 32803,
    ID_SETUP_TRACE = 32804, // a trace file of every byte of each transfer
    ID_EDIT_INSERT_ROW = 32805,
    ID_EDIT_DELETE_ROW = 32806,
    ID_EDIT_MOVE_UP = 32807,
    ID_EDIT_MOVE_DOWN = 32808,
    ID_EDIT_SORT_FREQUENCY = 32809,
    ID_EDIT_SORT_NAME = 32810,
    ID_EDIT_FILL_DOWN = 32811,
    ID_FILE_COMPARE = 32812,
    ID_FILE_END_COMPARISON = 32813,
    ID_EDIT_NEXT_DIFFERENCE = 32814,
    ID_EDIT_PREVIOUS_DIFFERENCE = 32815,
    ID_FILE_IMPORT_CHANNELS_AT = 32816, // the rows one after another from the selected channel
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
};

} // namespace velmora
