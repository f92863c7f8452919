#include "cli/output.h"

namespace hygrovane::cli {

std::string OutputName(const std::string& output) {
    return output == "-" ? std::string("standard output") : output;
}

RunFailure CannotRead(const ProgramArguments& arguments, const std::string& why,
                      bool fileAbandoned) {
    return {"cannot read \"" + arguments.inputName() + "\": " + why +
                (fileAbandoned ? "; nothing was written" : ""),
            kExitUnreadable};
}

RunFailure CannotWrite(const std::string& output, const std::string& why, bool fileAbandoned) {
    return {"cannot write \"" + OutputName(output) + "\": " + why +
                (fileAbandoned ? "; nothing was written" : ""),
            kExitUnwritable};
}

Expected<Done, RunFailure> CheckOutputKeepsInput(const ProgramArguments& arguments,
                                                 const std::string& output) {
    if (output == "-" || arguments.input == "-" || !SameFile(arguments.input, output)) {
        return Done{};
    }
    return Fail(RunFailure{"the output \"" + output + "\" would replace the input", kExitUsage});
}

Expected<std::unique_ptr<ByteSource>, RunFailure> OpenInput(const ProgramArguments& arguments) {
    auto opened = OpenSource(arguments.input);
    if (!opened) {
        return Fail(CannotRead(arguments, opened.error()));
    }
    return std::move(opened.value());
}

Expected<std::unique_ptr<ByteSink>, RunFailure> OpenOutput(const std::string& output,
                                                           std::FILE* out) {
    if (output == "-") {
        return StreamSink(out, OutputName(output));
    }
    auto created = CreateFileSink(output);
    if (!created) {
        return Fail(CannotWrite(output, created.error()));
    }
    return std::move(created.value());
}

Expected<Done, RunFailure> WriteWhole(ByteSink& sink, const std::string& output,
                                      std::string_view text) {
    if (sink.write(text) && sink.commit()) {
        return Done{};
    }
    const std::string why = sink.error();
    sink.discard();
    return Fail(CannotWrite(output, why, output != "-"));
}

int Report(std::FILE* err, const char* program, const RunFailure& failure) {
    Say(err, program, failure.message);
    return failure.status;
}

} // namespace hygrovane::cli
