#pragma once
// The drawing passes of one month page, in the order the page loop calls them:
// title, custom header and footer, page frame, then per day the grid row and
// its annotations, the page foot, side columns, ephemeris legend, footnotes
// and zodiac corners.

namespace orvanta {

struct PageState;

// Month title (leaves the horizontal scaling at 140 % for the header).
void DrawMonthTitle(PageState& page);
// The user's header and footer: text or picture.
void DrawCustomHeader(PageState& page);
void DrawCustomFooter(PageState& page);
// Punch-hole mark and title-band rules.
void DrawPageFrame(PageState& page);
// Day number, weekday, holiday marking and name, progressive numbers of the
// current date; counts the day of the year and the weeks.
void DrawGridRow(PageState& page);
// Shift, moon glyph, event pictures and personal note of the current row.
void DrawRowAnnotations(PageState& page);
// Next row: row y, date, shift index, day of month.
void AdvanceRow(PageState& page);
// Centre rule, bottom rule and version line.
void DrawPageFoot(PageState& page);
// Previous and next month at the page edges.
void DrawSideColumns(PageState& page);
// Sunrise/sunset table and the key to the moon glyphs.
void DrawEphemerisLegend(PageState& page);
// "Ricorda..." and the month's commemorations.
void DrawFootnotes(PageState& page);
// The two zodiac signs of the month in the top corners.
void DrawZodiacCorners(PageState& page);
// The cover page before January (a page of its own), when it has a photo.
void DrawCoverPage(PageState& page);

}  // namespace orvanta
