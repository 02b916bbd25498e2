#pragma once

#include <memory>
#include <optional>
#include <string>

#include "report/emitter.h"

// The emitters, one file each; their rows are in table.cpp.
std::unique_ptr<emitter> makeconcise(reportwriter& out);
std::unique_ptr<emitter> makefull(reportwriter& out);
std::unique_ptr<emitter> makejson(reportwriter& out);
std::unique_ptr<emitter> makejsonlines(reportwriter& out);
std::unique_ptr<emitter> makesarif(reportwriter& out);
std::unique_ptr<emitter> makegithub(reportwriter& out);
std::unique_ptr<emitter> makegitlab(reportwriter& out);
