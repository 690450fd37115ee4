#pragma once

#include <QString>

class QLineEdit;

namespace namori {

// Lets ReadEntryBox finish what an input method is still composing in box (the underlined text
// of a conversion in progress). Called once for each box whose text a button reads.
void TrackComposition(QLineEdit* box);

// The text of box as the program takes it: text still being composed is committed first, then
// the characters that the code page 932 files store as another character are folded to the one
// that reads back. The box is left showing exactly the text returned, so what is judged, shown,
// written and read back is the same.
QString ReadEntryBox(QLineEdit* box);

}  // namespace namori
