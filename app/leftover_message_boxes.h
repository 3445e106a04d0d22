#pragma once

#include "storage/leftover_files.h"

// The questions about leftover files as the desktop's message boxes.
class TLeftoverMessageBoxes final : public TLeftoverQuestions {
public:
    TListAnswer AskReadList(const QString& caption, const QString& question) override;
    bool Confirm(const QString& caption, const QString& question) override;
    void Inform(const QString& caption, const QString& text) override;
};
