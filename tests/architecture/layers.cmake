# The layers of src/ and what each may use, kept true by the test in this folder: a library that
# includes a header of, or links, a layer not listed for it fails the test. docs/architecture.md
# explains the order.
#
# LAYER_<folder>: the folders (include roots) whose headers the folder's files may include and
# whose libraries its CMakeLists.txt may link. "hygrovane" is include/hygrovane, the core's public
# headers (built by moistair); the engine and units include only its plain type headers. Above the
# core nothing includes the engine: the core publishes the relations and constants others need.
#
# SUBFOLDER_LAYERS: sub-folders that are layers apart from their parent folder, named with it
# ("models/calculator"), in includes as in LAYER_ rows.

# Texts machines read and write (blanks, numbers, UTF-8), the same in every locale: below
# everything, used by any folder. No Qt, nothing else.
set(LAYER_text text)
set(LAYER_engine engine hygrovane)
set(LAYER_units units text engine)
# Text files: their byte-order mark and one kind of line end for every reader, and the CSV cell of
# a free text for every writer (kept from running as a formula). No Qt.
set(LAYER_textfile textfile)
# Whole files written atomically and small files read, for every file format (Qt Core only).
# Results tables: cells with their quantity, unit and unrounded value, the report-style number
# rule, and the tables' text, CSV and JSON forms. No Qt.
set(LAYER_tables tables text textfile)
set(LAYER_fileio fileio hygrovane)
# What the three programs' command lines share: arguments and options, exit statuses, the input
# and output streams (a file output through fileio), the output that would replace the input.
set(LAYER_cli cli fileio hygrovane)
set(LAYER_moistair moistair engine hygrovane)
# Domain libraries on the core.
set(LAYER_processes processes text moistair hygrovane units)
set(LAYER_chart chart text moistair hygrovane units)
set(LAYER_comfort comfort text moistair hygrovane units)
# Envelopes of measured air as predicates on their edges (ASHRAE 55's comfort zones from the comfort
# library), and the time they hold over a series.
set(LAYER_envelopes envelopes comfort moistair hygrovane)
# Logged air streams of a unit aligned in time and judged against its physics.
set(LAYER_streams streams moistair hygrovane)
set(LAYER_climate climate text textfile moistair hygrovane units)
# A weather file judged against the comfort and strategy zones and the envelopes, for the command
# line and the window.
set(LAYER_climateanalysis climateanalysis tables text climate textfile comfort envelopes moistair hygrovane units)
# An air-handling unit run through a weather file's records, for the command line, the window
# and Python.
set(LAYER_airunit airunit text climate textfile moistair hygrovane units)
# The texts of numbers and shown values, the quantities the main window shows and their presets:
# what files and batch output share with the window, in domain names.
set(LAYER_display display moistair hygrovane units)
# The main window's control model: a part of the window layer that sits below the files, since
# the case file serialises the window's form.
set(SUBFOLDER_LAYERS models/calculator programs/hygrovane programs/batch programs/climate)
set(LAYER_models/calculator models/calculator display moistair hygrovane units)
# Batch conversion and the file formats write the main window's digits.
set(LAYER_batch batch cli text textfile fileio display moistair hygrovane units)
# Logger files read as batch reads them, as a series of records or as a unit's air streams, and
# the streams' figures written: the one reader and writer of the command line and the window.
set(LAYER_loggerfile loggerfile climateanalysis climate comfort envelopes streams tables ${LAYER_batch})
# UNIT.json, the settings of an air-handling unit, and the figures of a unit's run
# written beside the climate analysis's.
set(LAYER_unitfile unitfile text fileio climateanalysis comfort ${LAYER_airunit})
set(LAYER_casefile casefile fileio models/calculator display moistair hygrovane units)
set(LAYER_processfile processfile tables textfile fileio casefile processes display moistair hygrovane units)
# Window logic without Qt Widgets, then the Qt views, then the programs.
set(LAYER_models models tables text textfile cli airunit unitfile fileio processfile casefile batch loggerfile streams
    models/calculator display chart processes climateanalysis comfort climate envelopes moistair hygrovane units)
set(LAYER_views views ${LAYER_models})
# The programs' main() folders, one each under programs/ (which holds nothing of its own).
set(LAYER_programs programs)
set(LAYER_programs/hygrovane programs/hygrovane ${LAYER_views})
set(LAYER_programs/batch programs/batch batch ${LAYER_batch})
# hygrovane-climate: its options and run (the analysis, written through cli's streams), main().
set(LAYER_climatecli climatecli loggerfile tables text climateanalysis climate comfort envelopes streams unitfile airunit ${LAYER_batch})
set(LAYER_programs/climate programs/climate ${LAYER_climatecli})
# The Python module binds the core and the domain libraries, never a window; the air-handling
# unit with its one reader of UNIT.json (Qt Core's JSON).
set(LAYER_python python processes comfort climate envelopes streams moistair hygrovane units airunit unitfile)

# Only these may link Qt Widgets (and so include its headers).
set(WIDGET_LAYERS views programs/hygrovane)

# What each folder holds, in a few words: the captions of the diagram in docs/architecture.md,
# which layer_diagram.cmake draws from this table (a folder without one is drawn by its name).
set(ROLE_text "blanks, numbers, UTF-8: the same in every locale")
set(ROLE_hygrovane "the core's public headers: Solve, Result<T>")
set(ROLE_engine "numerics (throws ArithmeticError inside)")
set(ROLE_units "unit catalogue")
set(ROLE_textfile "a text file's lines, CSV cells")
set(ROLE_tables "results tables: cells with quantity and unit, report style, text/CSV/JSON")
set(ROLE_fileio "atomic writes (QSaveFile), small reads")
set(ROLE_cli "the programs' arguments, exit statuses, input and output")
set(ROLE_moistair "the core: moist air's states")
set(ROLE_processes "air-handling processes")
set(ROLE_chart "chart geometry (Qt-free)")
set(ROLE_comfort "thermal comfort")
set(ROLE_envelopes "the standards' envelopes, time inside them")
set(ROLE_streams "a unit's logged air streams judged")
set(ROLE_climate "weather files")
set(ROLE_climateanalysis "a weather year against the comfort and strategy zones")
set(ROLE_airunit "an air-handling unit through a weather year")
set(ROLE_display "number and display texts, shown quantities, unit presets")
set(ROLE_models/calculator "the main window's control model")
set(ROLE_batch "batch conversion")
set(ROLE_loggerfile "logger files as series and air streams")
set(ROLE_unitfile "unit files (UNIT.json) and a unit run's figures")
set(ROLE_casefile "case files and reports")
set(ROLE_processfile "process-set files and tables")
set(ROLE_models "window models: logic, no Widgets")
set(ROLE_views "thin Qt windows on the models")
set(ROLE_programs "the programs' main() folders")
set(ROLE_programs/hygrovane "main() of the program")
set(ROLE_programs/batch "main() of batch conversion")
set(ROLE_climatecli "hygrovane-climate's options and run")
set(ROLE_programs/climate "main() of hygrovane-climate")
set(ROLE_python "the Python module")
