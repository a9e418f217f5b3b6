// description.cpp: the text of the demo dictionary's description file.
#include "tools/demodict/description.h"

namespace demodict {

std::string demo_description()
{
    const std::string dir = kDataDirectory;
    std::string text;
    text += "; TavlinCD demo dictionary, written from WordNet 3.0 by wordnetdemo.\n";
    text += "; WordNet 3.0 Copyright 2006 by Princeton University. All rights reserved.\n";
    text += std::string("ref_name=") + kDemoReferenceName + "\n";
    text += "base_dir=" + dir + "\nbase_name=" + kMainName + "\n";
    text += "art_dir=" + dir + "\nart_name=" + kArtName + "\n";
    text += "table_dir=" + dir + "\ntable_name=" + kTableName + "\n";
    text += "sound_dir=" + dir + "\n";
    text += "sound_exist=1\nart_exist=1\n";
    // Labels hold no '=' or ',': those separate the values of a line.
    text += "search_text=Entry word is...,va\n"
            "search_text=Defining text contains...,df\n"
            "search_text=Verbal illustration contains...,vi\n"
            "search_text=Synonym is...,sy\n"
            "search_text=Subject or usage label is...,us\n"
            "search_text=Anagram of...,tr\n"
            "search_text=Letter pattern of...,is\n"
            "search_text=Letter bank of...,lb\n"
            "search_text=Sounds like...,sc\n"
            "search_text=Pronounced as...,pr\n"
            "search_text=Rhymes with...,rh\n"
            "search_text=Pronunciation anagram of...,pt\n";
    // Entry parts in the order they are shown, each with its label and layout tokens
    // (N: the next part starts on a new line). "See also" stands after the senses,
    // although its part number (7) is lower.
    text += "main_entry=Entry:,N\n"
            "pron_entry=Pronunciation:,N\n"
            "function_entry=Function:,N\n"
            "inflected_entry=Forms:,N\n"
            "usage_entry=Usage:,N\n"
            "text_entry=Senses:,N\n"
            "etymology_entry=See also:,N\n"
            "art_entry=Illustration:,N\n";
    return text;
}

} // namespace demodict
