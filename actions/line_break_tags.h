#pragma once

#include <QString>

// A language file holds each text on one line, writing its line breaks as "<br>".

// Every carriage return, line feed or pair of them becomes "<br>".
QString LineBreaksToTags(const QString& text);
// Every "<br>" becomes a carriage return plus line feed.
QString TagsToLineBreaks(const QString& text);
// Every carriage return, alone or before a line feed, becomes a line feed: message texts break
// their lines with carriage returns, which message boxes do not show as breaks.
QString WithLineFeeds(const QString& text);
