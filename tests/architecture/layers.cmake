# The layers of src/ and what each may use, kept true by the test in this folder: a library that
# includes a header of, or links, a layer not listed for it fails the test. docs/architecture.md
# explains the order.
#
# LAYER_<folder>: the folders (include roots) whose headers the folder's files may include and
# whose libraries its CMakeLists.txt may link. "hygrovane" is include/hygrovane, the core's public
# headers (built by moistair); the engine and units include only its plain type headers.

set(LAYER_engine engine hygrovane)
set(LAYER_units units engine)
# Whole files written atomically and small files read, for every file format (Qt Core only).
set(LAYER_fileio fileio hygrovane)
set(LAYER_moistair moistair engine hygrovane)
# Domain libraries on the core. processes still calls the engine's relations directly.
set(LAYER_processes processes moistair engine hygrovane units)
set(LAYER_chart chart moistair engine hygrovane units)
set(LAYER_comfort comfort moistair engine hygrovane units)
set(LAYER_climate climate moistair engine hygrovane units)
# A weather file judged against the comfort and strategy zones, for the command line and the window.
set(LAYER_climateanalysis climateanalysis climate comfort moistair engine hygrovane units)
# The main window's control model, with the display texts that files and batch output share.
set(LAYER_calculator calculator moistair engine hygrovane units)
# Batch conversion and the file formats write the main window's digits.
set(LAYER_batch batch fileio calculator moistair engine hygrovane units)
set(LAYER_casefile casefile fileio calculator moistair engine hygrovane units)
set(LAYER_processfile processfile fileio casefile processes calculator moistair engine hygrovane units)
# Window logic without Qt Widgets, then the Qt views, then the programs.
set(LAYER_windows windows fileio processfile casefile batch calculator chart processes climateanalysis
    comfort climate moistair engine hygrovane units)
set(LAYER_forms forms ${LAYER_windows})
set(LAYER_app app ${LAYER_forms})
set(LAYER_batchapp batchapp batch ${LAYER_batch})
# hygrovane-climate: its options and run (the analysis, written through batch's streams), main().
set(LAYER_climatecli climatecli climateanalysis climate comfort ${LAYER_batch})
set(LAYER_climateapp climateapp ${LAYER_climatecli})
# The Python module binds the core and the domain libraries, never a window.
set(LAYER_python python processes comfort climate moistair engine hygrovane units)

# Only these may link Qt Widgets (and so include its headers).
set(WIDGET_LAYERS forms app)
