#pragma once

// Teaches fontconfig the Windows face names the program's texts and settings use that it does
// not know by itself, mapping them to installed faces of the same metrics. Safe to call
// again; takes effect for fonts resolved afterwards.
void RegisterFontAliases();
