#pragma once
// Export of the ID list as CSV: UTF-16LE with FF FE, CR LF line ends, no header line; one line per
// entry in use: number, type display text, identifier (or telephone number for "tel"), name,
// reading, selection.
#include <string>

#include "platform/error_codes.h"

class CTalveroDoc;

// The file's bytes, with the type display texts of the language table as it is now.
std::string RenderIdListCsv(const CTalveroDoc& doc);

// Writes RenderIdListCsv atomically: a failed write leaves any previous file as it was.
ErrorInfo ExportIdList(const CTalveroDoc& doc, const std::string& path);
