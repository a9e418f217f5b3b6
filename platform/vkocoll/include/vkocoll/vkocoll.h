// vkocoll.h: every public header of the container library.
#pragma once
#include "vkocoll/bintree.h"
#include "vkocoll/colclass.h"
#include "vkocoll/collect.h"
#include "vkocoll/collstr.h"
#include "vkocoll/cstring.h"
#include "vkocoll/defs.h"
#include "vkocoll/hashtab.h"
#include "vkocoll/ordered.h"
#include "vkocoll/regexp.h"
#include "vkocoll/rwfile.h"
#include "vkocoll/tokenizer.h"
#include "vkocoll/vstream.h"
