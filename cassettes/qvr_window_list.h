#pragma once

#include <QString>
#include <vector>

class TQvrBaseFrm;

// The live cassette and memory-card windows of the process, in creation order (or in the
// order of their CreateIndex after a song's saved data was loaded). A window enters itself
// when it is made and leaves when it is destroyed.
const std::vector<TQvrBaseFrm*>& QvrWindows();
void AddQvrWindow(TQvrBaseFrm* window);
void RemoveQvrWindow(TQvrBaseFrm* window);
void SortQvrWindowsByCreateIndex();
// The list takes the order of `order`; windows it does not name keep their order after them,
// and names of windows not (or no longer) in the list are passed over.
void SetQvrWindowOrder(const std::vector<TQvrBaseFrm*>& order);

// The CreateIndex of a new window: the counter's value, then the counter moves on.
int TakeCreateIndex();
// After a song's saved data was loaded: new windows number on after the highest CreateIndex
// read (-1 when none was), so that no two windows share one.
void RaiseCreateIndexCounter(int highestRead);

// Titles of new windows, "Recorded Data %d" and "Repeat Section %d", each kind counting from 1.
QString NextCassetteTitle();
QString NextCardTitle();

// Takes the window out of the list and out of sight at once, and destroys it once control is
// back in the event loop: never inside one of its own handlers or a loop over the list. The
// caller undocks it first.
void ReleaseQvrWindow(TQvrBaseFrm* window);
// Releases every window (the caller undocks first) and restarts the CreateIndex counter and
// the title counters at 1: a new song starts its windows afresh.
void ReleaseAllQvrWindows();
