/* fsys.h: the base library's file system over POSIX: the current and default directory, the
 * start-up directory, a stack of saved directories, file specifications (a directory and a
 * name), path names, listing by pattern and file attributes. Declared from vkobase/fsys.def.
 *
 * Contracts:
 * - The default directory is the current working directory. set_dir_startup goes back to the
 *   working directory the process had when the library was loaded; save_dir pushes the
 *   current directory and restore_dir pops and enters it (nothing when none is saved).
 * - A directory record holds an absolute path; convert_str_to_dir makes a relative text
 *   absolute against the current directory. Every call answers FALSE when a path does not
 *   fit its record or buffer, leaving the record unchanged.
 * - build_pathname joins dir, name and ext (a '.' is put before ext unless it has one; the
 *   volume must be empty or null, POSIX has none) into path. parse_pathname splits a path
 *   into volume (always empty), dir (up to and with the last '/'), name (without its
 *   extension), ext (from the last '.', with it) and leaf (name and ext); each output is
 *   skipped when null and needs VKO_SZ_DIR bytes.
 * - file_makepath writes the file specification's directory and name into a
 *   VKO_FSYS_PATH_SIZE buffer; FALSE for one without a name or a path that does not fit.
 * - list_files answers a new string list (the caller destroys it) of the names in the
 *   current directory that match pattern ('*' and '?', ignoring case as the platform the
 *   data comes from does) and, when type is not empty, end in "." type; directories only
 *   with include_dirs. Sorted by name, byte order; "." and ".." never listed. Null on error.
 * - get_file_attr answers the selector's value (VKO_FATTR_*), 0 for an unknown selector or a
 *   file that cannot be examined. set_file_attr sets (value non-zero) or clears the owner's
 *   permission of selectors 2 to 4 only. rem_file removes the named file. */
#ifndef VKOBASE_FSYS_H
#define VKOBASE_FSYS_H

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Size of the path buffers of file_makepath. */
#define VKO_FSYS_PATH_SIZE 260

/* Attribute selectors. 12 and 13 look only at the file specification's directory. */
enum {
    VKO_FATTR_EXISTS = 1,
    VKO_FATTR_READABLE = 2,
    VKO_FATTR_WRITABLE = 3,
    VKO_FATTR_EXECUTABLE = 4,
    VKO_FATTR_DIRECTORY = 5,
    VKO_FATTR_DIR_EXISTS = 12,
    VKO_FATTR_DIR_WRITABLE = 13
};

#define VKOBASE_FN(ret, name, params, args, neutral) VKOBASE_API ret name params VKOBASE_NOEXCEPT;
#include "vkobase/fsys.def"

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* VKOBASE_FSYS_H */
