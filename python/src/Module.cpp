// The compiled part of the trotix package (trotix/__init__.py wraps it).
#include <pybind11/pybind11.h>

#include <cerrno>

#include "gaitlab/io/InputError.h"
#include "python/src/Bindings.h"

namespace trotix {
namespace {

// The exception open() raises for the error number; a file too large to
// read is a bad value.
PyObject* FileErrorType(int errorNumber) {
  switch (errorNumber) {
    case 0:
      return PyExc_ValueError;
    case ENOENT:
      return PyExc_FileNotFoundError;
    case EACCES:
    case EPERM:
      return PyExc_PermissionError;
    case EISDIR:
      return PyExc_IsADirectoryError;
    default:
      return PyExc_OSError;
  }
}

}  // namespace
}  // namespace trotix

PYBIND11_MODULE(_trotix, module) {
  module.doc() = "The Trotix walk engine, gait lab and physics check (compiled part).";
  // What the command line refuses with exit status 2 is a bad value here,
  // but a file that cannot be read is the OSError that open() would raise;
  // what it fails to write is an OSError too. All keep its message.
  pybind11::register_exception_translator([](std::exception_ptr error) {
    try {
      if (error) std::rethrow_exception(error);
    } catch (const trotix::InputFileError& e) {
      PyErr_SetString(trotix::FileErrorType(e.errorNumber()), e.what());
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
