// The display font: a LogFont (what a question file stores, and the authority) turned
// into a QFont for showing text, and a font chosen in Qt's font dialog turned back.
#pragma once

#include <QFont>

#include "model/log_font.h"

// height < 0: the character height in pixels (the em, without internal leading);
// height > 0: the cell height in pixels (ascent plus descent); 0: the default size.
// Weight 0 means normal. Width, escapement and orientation are kept in the LogFont only.
QFont FontFromLogFont(const LogFont& logFont);

// `font` as a LogFont. Fields Qt knows nothing of (character set, precisions, quality)
// come from `base`; width, escapement and orientation become 0, since the font dialog
// offers none of them. The height is the negative character height in pixels, as the
// classic font dialog gives it.
LogFont LogFontFromFont(const QFont& font, const LogFont& base);

// What the font dialog hands back for the stored font `current`: the dialog opened on
// `offered` and closed on `chosen`. Only what the user changed there is taken over; every
// other field keeps its stored value, since the dialog cannot show most of them (family
// bits, character set, precisions, quality, escapement) and rounds the rest, so an OK
// without a change gives `current` back exactly.
LogFont ChosenLogFont(const LogFont& current, const QFont& offered, const QFont& chosen);
