// The CSV layout many radio programs exchange channels in (CHIRP-compatible), both ways.
//
//   Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,
//   RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE
//
// Location is our channel number 0-199. Frequencies are MHz with six decimals. Duplex ""
// (Tx = Rx), "+"/"-" (Tx = Rx +/- Offset), "split" (Offset is the Tx frequency) or "off" (no Tx
// frequency). The squelch tones: encode is what goes out (Tx), decode what opens the receiver
// (Rx); "Tone" encodes rToneFreq only, "TSQL" uses cToneFreq both ways, "DTCS" uses DtcsCode
// both ways, "Cross" says in CrossMode "tx->rx" which kind each side has ("Tone->DTCS",
// "->Tone", ...), taking rToneFreq/DtcsCode for Tx and cToneFreq/RxDtcsCode for Rx.
// DtcsPolarity is two letters, Tx first, N normal and R inverted. Skip "S": not scanned.
// Power is watts text: High 5.0W, Middle 2.0W, Low 0.5W; read back to the nearest of these.
// The channel lock has no column of its own and travels in Comment as "locked"/"unlocked".
#pragma once

#include "channels/CsvImport.h"
#include "channels/CsvReader.h"

#include <string>
#include <vector>

namespace velmora {

std::string ExportChirpCsv(const ChannelGridTexts& grid);

// True when a header row is this layout's (it names Location and Frequency).
bool IsChirpHeader(const std::vector<std::string>& header);

// The rows after the header as cells in our texts (ReadImportRows). Rows with frequency 0 are
// left out; unknown columns are ignored; a row shorter than the header, or of a Mode other than
// FM or NFM (an empty Mode is FM), is refused.
std::vector<ImportRow> ReadChirpRows(const CsvParse& parse, Language lang);

} // namespace velmora
