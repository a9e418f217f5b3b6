// print_view.h: PrintView, one print command's job: a list of lines (a result or word
// list), the entry shown, or the illustration's caption, printed from the toolkit's print
// loop into a print window that the job makes and destroys. Every page ends with the
// publisher's notice. An entry job prints with its own copy of the painter shown, so the
// screen's layout is left alone.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "frm/core/ccommand.h"
#include "vkobase/types.h"

class EntryPainter;

// The command a print job's window sends its document once the job wrote its file, so that
// the user learns where it went; the payload is the file's path.
using PrintedFile = FRM_TCommand<140, const std::string>;

// The lines a list job prints.
class PrintListSource {
public:
    virtual ~PrintListSource() = default;
    virtual std::int32_t LineCount() const = 0;
    virtual std::string LineText(std::int32_t index) const = 0;
};

class PrintView {
public:
    enum Kind { kList = 1, kEntry = 2, kIllustration = 3 };

    // A list job over source (not owned), or an entry job with a copy of painter. record is
    // the document's print record (not owned; null prints nothing).
    PrintView(s_printrcd* record, const PrintListSource* source, std::string title);
    PrintView(s_printrcd* record, const EntryPainter& painter, std::string title);
    ~PrintView();
    PrintView(const PrintView&) = delete;
    PrintView& operator=(const PrintView&) = delete;

    // Runs the job of kind in the print loop; answers whether it printed. A job that fails
    // tells the user (naming the file that could not be written); another kind prints
    // nothing and says nothing.
    bool StartPrint(int kind);
    // The file the last StartPrint wrote, its path as the print loop made it (relative to
    // the working folder when it lies there); "" when it wrote none.
    const std::string& printedFile() const { return itsPrintedFile; }

    // Lines a list page held in the last list job (for callers that page on their own).
    std::int32_t linesPerPage() const { return itsLinesPerPage; }

private:
    static BOOLEAN PrintList(intptr_t data);
    static BOOLEAN PrintWithPainter(intptr_t data);
    WINDOW OpenWindow();

    s_printrcd* itsRecord;
    const PrintListSource* itsSource = nullptr;
    std::unique_ptr<EntryPainter> itsPainter;
    std::string itsTitle;
    std::string itsPrintedFile;
    std::int32_t itsLinesPerPage = 0;
    int itsKind = 0;
};
