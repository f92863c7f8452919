# cmake -DSOURCE_DIR=<repository> [-DPLANTED=ON] -P check_failures.cmake
# Fails, naming each file and line, where a refusal takes another shape than Expected with a
# <Thing>Failure: a function or lambda returning an optional failure (empty meaning success, the
# reading a caller can get backwards), an optional text named a problem, or an error type called
# a fault, a problem or an error. PLANTED checks one planted line of each kind instead of the
# tree, and must fail.
cmake_minimum_required(VERSION 3.20)

# Thrown inside the engine and caught where the core calls it; never returned.
set(allowed_error_types ArithmeticError)

set(failure_name "[A-Za-z_:]*(Failure|Fault|Error|Problem)")
set(returns_optional_failure
    "(^|[ \t(])(->[ \t]*)?std::optional<${failure_name}>[ \t]+[A-Za-z_][A-Za-z_0-9:]*[ \t]*\\(")
set(lambda_optional_failure "->[ \t]*std::optional<${failure_name}>")
set(alias_optional_failure "using[ \t]+[A-Za-z_]+[ \t]*=[ \t]*std::optional<${failure_name}>")
set(optional_problem "std::optional<std::string>[ \t]+[A-Za-z_:]*Problem[ \t]*\\(")
set(error_type "(struct|class|enum class)[ \t]+([A-Za-z_]*(Fault|Problem|Error))[ \t]*[{:]")

set(problems "")
function(check_lines name text)
    string(REPLACE ";" "," text "${text}")
    string(REPLACE "\n" ";" lines "${text}")
    set(number 0)
    set(found "")
    foreach(line IN LISTS lines)
        math(EXPR number "${number} + 1")
        set(why "")
        if(line MATCHES "${returns_optional_failure}" OR line MATCHES "${lambda_optional_failure}"
           OR line MATCHES "${alias_optional_failure}")
            set(why "returns an optional failure; return Expected<Done, XFailure>")
        elseif(line MATCHES "${optional_problem}")
            set(why "returns an optional problem text; return Expected<Done, XFailure>")
        elseif(line MATCHES "${error_type}")
            list(FIND allowed_error_types "${CMAKE_MATCH_2}" allowed)
            if(allowed EQUAL -1)
                set(why "names an error type ${CMAKE_MATCH_2}; call it <Thing>Failure")
            endif()
        endif()
        if(why)
            string(APPEND found "${name}:${number}: ${why}\n")
        endif()
    endforeach()
    set(problems "${problems}${found}" PARENT_SCOPE)
endfunction()

if(PLANTED)
    check_lines(planted.h "std::optional<PlaceFailure> CheckPlace(double latitude)\;")
    check_lines(planted.cpp "    const auto once = [&](int i) -> std::optional<ReadFailure> {")
    check_lines(planted2.h "std::optional<std::string> CaseLineProblem(std::string_view line)\;")
    check_lines(planted3.h "struct SettingsProblem {")
else()
    get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)
    file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/src/*.h ${SOURCE_DIR}/src/*.cpp
         ${SOURCE_DIR}/include/*.h)
    if(NOT sources)
        message(FATAL_ERROR "no sources under ${SOURCE_DIR}/src: give the repository's folder")
    endif()
    foreach(source ${sources})
        file(READ ${SOURCE_DIR}/${source} text)
        check_lines(${source} "${text}")
    endforeach()
endif()

if(problems)
    message(FATAL_ERROR "A refusal in another shape than Expected<..., XFailure>:\n${problems}")
endif()
