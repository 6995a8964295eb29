#pragma once
// `quillmere serve`: exports the decks posted to it on the batch's worker
// processes and answers over HTTP (service/HttpApi.h). Ctrl-C or SIGTERM
// stops it as a batch stops: running exports are cancelled, waiting ones end
// as not started; a second one ends it at once.

#include "cli/CommandLine.h"
#include "service/ServeOptions.h"

namespace quillmere::service {

// 0 once stopped; 66 when the token file cannot be read or is empty; 69
// when the address cannot be taken or the data folder cannot be made.
int RunServe(const cli::Invocation& run, ServeOptions options);

}  // namespace quillmere::service
