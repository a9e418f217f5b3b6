/* print.h: print records, the print window, pages, bands and the print loop. Declared from
 * the table vkobase/print.def. Printing writes one PDF file per job into the output directory
 * (the working directory until vkov_print_set_output_dir names another), named after the job
 * title ("<title>.pdf", then "<title>-2.pdf" and so on when the name is taken). The print
 * window's client area is the page inside the margins chosen in page setup (a quarter inch on
 * each side until then), in printer pixels (attributes VKO_ATTR_PRINTER_HRES and
 * VKO_ATTR_PRINTER_VRES, 300 unless set); each page is one band. One job at a time: a second
 * print window is refused while the first lives. The file is complete once the print window
 * is destroyed. */
#ifndef VKOBASE_PRINT_H
#define VKOBASE_PRINT_H

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* The print routine that vkok_print_start_thread runs inside the print loop; it answers
 * TRUE when the job succeeded. */
typedef BOOLEAN (*VKO_PRINT_ROUTINE)(intptr_t data);
/* Page orientations of vkok_print_set_page_orient. */
enum { VKO_PRINT_PORTRAIT = 0, VKO_PRINT_LANDSCAPE = 1 };
/* Units of vkok_print_set_page_size; the size is the paper's, portrait, at most 200 inches a
 * side. A new record holds US Letter (8.5 x 11 inches), portrait. */
enum { VKO_PRINT_INCHES = 0, VKO_PRINT_MILLIMETRES = 1, VKO_PRINT_POINTS = 2 };

/* The directory the PDF files of later jobs go to; null or "" is the working directory. */
VKOBASE_API void vkov_print_set_output_dir(const char* dir) VKOBASE_NOEXCEPT;

/* The PDF file of the last job whose file could not be made or written whole (a folder that
 * cannot be written, a full disk): what was written of it is removed, and the print loop that
 * ran the job answers FALSE. "" when the last loop's jobs were all written; each
 * vkok_print_start_thread starts it anew. */
VKOBASE_API const char* vkov_print_unwritten_file(void) VKOBASE_NOEXCEPT;

/* The PDF file the last job of the last print loop wrote whole, as its path was made (in the
 * output directory, relative when that is the working directory); "" when that loop wrote
 * none. Each vkok_print_start_thread starts it anew. */
VKOBASE_API const char* vkov_print_written_file(void) VKOBASE_NOEXCEPT;

#define VKOBASE_FN(ret, name, params, args, neutral) VKOBASE_API ret name params VKOBASE_NOEXCEPT;
#include "vkobase/print.def"

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* VKOBASE_PRINT_H */
