#pragma once

// The caption of every message box the program shows.
inline constexpr char ProgramCaption[] = "Quavrel 4.00";
