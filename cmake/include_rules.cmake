# The include rules of ARCHITECTURE.md as data, read by the build's check of every source
# (include_rules_target.cmake) and by the test that reads the whole tree.
#
# units: the parts of the tree the rules speak of, by folder (or one file). A source belongs to
# the first unit that holds it, so a folder comes before the folders that hold it. A source in
# no unit fails: a new folder is placed in the layers here before it builds.
set(units
    platform/vkocoll platform/vkobase platform/win32 engine textedit help ruk
    frm/core frm/runtime frm/drawing frm/interaction frm/views frm/controls frm/tables
    app/settings app/display app/pages app/shell app/tavlincd_main.cpp resources tools)

# The libraries' public include folders, as their includes name them ("alias=unit"): the
# alias vkobase/ is the folder platform/vkobase/include/vkobase/. Another unit reaches such a
# library only through that folder.
set(include_aliases
    vkocoll/=platform/vkocoll vkobase/=platform/vkobase win32/=platform/win32
    vkotext/=textedit vkohelp/=help)

# may_include_<unit>: what a unit's sources may include besides their own unit. An entry
# is a unit (any of its headers) or one header (its path as included).
set(layers_below_frm ruk platform/vkocoll platform/vkobase)
set(layers_below_app frm/core frm/runtime frm/drawing frm/interaction frm/views frm/controls
    frm/tables ${layers_below_frm} engine platform/win32 resources/menu_tags.h)

set(may_include_platform/vkocoll)
set(may_include_platform/vkobase)
set(may_include_platform/win32 platform/vkobase)
set(may_include_engine platform/vkocoll)
set(may_include_textedit platform/vkobase)
set(may_include_help platform/vkobase platform/win32)
set(may_include_ruk platform/vkobase textedit help)
# Inside the framework an area uses the areas below it.
set(may_include_frm/core ${layers_below_frm})
set(may_include_frm/runtime ${may_include_frm/core} frm/core)
set(may_include_frm/drawing ${may_include_frm/runtime} frm/runtime)
set(may_include_frm/interaction ${may_include_frm/drawing} frm/drawing)
set(may_include_frm/views ${may_include_frm/interaction} frm/interaction)
set(may_include_frm/controls ${may_include_frm/views} frm/views)
set(may_include_frm/tables ${may_include_frm/controls} frm/controls)
# The program's folders.
set(may_include_app/settings ${layers_below_app})
set(may_include_app/display ${layers_below_app} app/settings)
set(may_include_app/pages ${layers_below_app} app/display app/settings
    app/shell/ref_doc.h app/shell/main_ref_win.h)
set(may_include_app/shell ${layers_below_app} app/display app/settings
    app/pages/search_page_win.h app/pages/search_notebook.h app/pages/search_request.h)
set(may_include_app/tavlincd_main.cpp ${layers_below_app} app/shell/kq_app.h
    app/shell/program_start.h)
set(may_include_resources)
set(may_include_tools engine platform/vkobase)

# The sources that may include more than their unit, each with the unit it may reach
# ("source=unit"). Only sources: a header never includes against the rules.
set(include_exceptions
    # core -> runtime: the root class's GetG returns the global class library.
    frm/core/ccntrllr.cpp=frm/runtime frm/core/ctdicntr.cpp=frm/runtime
    # runtime -> the areas above it: the running framework drives them.
    frm/runtime/capplctn.cpp=frm/drawing frm/runtime/capplctn.cpp=frm/views
    frm/runtime/capplctn.cpp=frm/controls
    frm/runtime/cdesktop.cpp=frm/views
    frm/runtime/cdocumnt.cpp=frm/drawing frm/runtime/cdocumnt.cpp=frm/views
    frm/runtime/cfactory.cpp=frm/drawing frm/runtime/cfactory.cpp=frm/interaction
    frm/runtime/cfactory.cpp=frm/views frm/runtime/cfactory.cpp=frm/controls
    frm/runtime/cglblcls.cpp=frm/drawing frm/runtime/cglblcls.cpp=frm/views
    frm/runtime/cnav.cpp=frm/views frm/runtime/cnav.cpp=frm/controls
    frm/runtime/cpafactr.cpp=frm/views
    frm/runtime/cresourc.cpp=frm/views frm/runtime/cresourc.cpp=frm/controls
    frm/runtime/cswtchbr.cpp=frm/drawing frm/runtime/cswtchbr.cpp=frm/interaction
    frm/runtime/cswtchbr.cpp=frm/views frm/runtime/cswtchbr.cpp=frm/controls
    # drawing -> views: drawing is defined on the views it serves.
    frm/drawing/ccharunits.cpp=frm/views frm/drawing/cdrawctx.cpp=frm/views
    frm/drawing/cenviron.cpp=frm/views frm/drawing/cfont.cpp=frm/views
    frm/drawing/cprntmgr.cpp=frm/views
    # interaction -> views: a window's mouse manager and a drag's owner window.
    frm/interaction/cdrag.cpp=frm/views frm/interaction/cmouse.cpp=frm/views
    # The window factory is the one place of the shell that names the page classes.
    app/shell/factory_pages.cpp=app/pages)

# Units whose sources call the base library (any vkok_ or vkov_ name: a call, an address)
# only through the checking layer's vko_ calls.
set(no_base_calls frm/core frm/runtime frm/drawing frm/interaction frm/views frm/controls
    frm/tables app/settings app/display app/pages app/shell app/tavlincd_main.cpp)

# The program's base-library names that have no checking-layer call, each with its reason
# ("source=name").
set(base_call_exceptions
    # The start-up record's text-edit hooks are the text-edit engine's own entry points, which
    # the base library calls once the checking layer has checked the caller's request.
    app/display/kq_list_box.cpp=vkov_tx_create_def app/display/kq_list_box.cpp=vkov_tx_get_tx
    # Timing probes and the scripted start-up's picture of a window are the base library's
    # instruments for tests, not toolkit calls (the painter's probes mark through the probe
    # header's VkoProbeScope).
    app/shell/search_win.cpp=vkov_probe_mark app/shell/kq_app.cpp=vkov_debug_surface_write_png
    app/display/entry_painter_layout.cpp=vkov_probe_mark
    app/display/entry_painter_draw.cpp=vkov_probe_mark
    # The file the last print job wrote, or could not write: a question to the base library's
    # print loop outside its family table, with nothing to check.
    app/display/print_view.cpp=vkov_print_written_file
    app/display/print_view.cpp=vkov_print_unwritten_file
    # The damaged-dictionary report tells the base library that the program ends with the box
    # it shows, so that typed keys cannot answer it unread: a switch outside its family table.
    app/shell/kq_app.cpp=vkov_dm_program_ending)
