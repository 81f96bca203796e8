#pragma once
// The largest configuration a radio holds: every ID entry in use with full-width names and
// readings, every message and status text, every WLAN profile with addresses and keys, and four
// 8000-character certificates. Tests and benchmarks use it as the worst case.
class CTalveroDoc;

void FillLargestConfiguration(CTalveroDoc& doc);
