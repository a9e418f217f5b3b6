// open_file.cpp: the documents' open step.
#include "app/shell/open_file.h"

#include <cstring>

#include "ruk/static/vkoruk.h"

namespace {
constexpr char kPrompt[] = "Enter a new file to open:";
constexpr int kConfirmed = 2;
} // namespace

OpenFileSpec::OpenFileSpec() = default;
OpenFileSpec::~OpenFileSpec() = default;

bool AskForFileToOpen(OpenFileSpec* file)
{
    if (!file->spec) {
        file->spec = std::make_unique<s_file_spec>();
        std::memset(file->spec.get(), 0, sizeof(s_file_spec));
        vko_fsys_get_default_dir(&file->spec->dir);
    }
    s_file_spec* spec = file->spec.get();
    if (vko_dm_post_file_open(spec, kPrompt) != kConfirmed)
        return false;
    if (vko_fsys_get_file_attr(spec, VKO_FATTR_DIRECTORY) ||
        !vko_fsys_get_file_attr(spec, VKO_FATTR_READABLE)) {
        vko_dm_post_error("Unable to open the file %s.", spec->name);
        return false;
    }
    return true;
}
