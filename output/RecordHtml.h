#pragma once
// A record as a piece of a web page: the elements of its data file's HTML layout, in order, each on a
// line of its own, then "<P>". Field values are data and are escaped; the layout's HTML elements are
// markup and are written as they stand. Pictures (the data file's icons, the record's picture fields)
// are written as numbered JPEG files into the picture folder and shown by IMG tags.

#include <filesystem>
#include <iosfwd>

class CRecord;
class WriteWebLayoutPage;

// Appends the record's fragment to `out`. The layout is the writer's (WriteWebLayoutPage::
// FindRecordLayout); a record whose data file has no HTML layout writes nothing. Pictures go to
// `pictureFolder` and take the writer's running picture numbers; a picture that cannot be written is
// left out of the page.
void RenderRecordHtml(CRecord& record, std::ostream& out, WriteWebLayoutPage& writer,
                      const std::filesystem::path& pictureFolder);
