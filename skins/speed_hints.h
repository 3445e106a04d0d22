#pragma once

class TSkinControlGroups;

// Gives the speed meter (its hand, dial and label) and the ratio bar their hints at the length
// the user chose (0 none, 1 short, 2 whole): what the ratio they show means; and the transpose
// text what its numbers mean. Run with the command hints.
void ApplySpeedHints(const TSkinControlGroups& groups, int hintLength);
