// The compiled part of the trotix package (trotix/__init__.py wraps it).
#include <pybind11/pybind11.h>

#include "gaitlab/io/InputError.h"
#include "python/src/Bindings.h"

PYBIND11_MODULE(_trotix, module) {
  module.doc() = "The Trotix walk engine, gait lab and physics check (compiled part).";
  // What the command line refuses with exit status 2 is a bad value here;
  // what it fails to write is an OSError. Both keep its message.
  pybind11::register_exception_translator([](std::exception_ptr error) {
    try {
      if (error) std::rethrow_exception(error);
    } catch (const trotix::InputError& e) {
      PyErr_SetString(PyExc_ValueError, e.what());
    } catch (const trotix::OutputError& e) {
      PyErr_SetString(PyExc_OSError, e.what());
    }
  });
  trotix::BindEngine(module);
  trotix::BindGait(module);
  trotix::BindRun(module);
  trotix::BindPhysics(module);
}
