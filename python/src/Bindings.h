// Each part of the module adds its names here; Module.cpp calls them.
#ifndef TROTIX_PYTHON_BINDINGS_H_
#define TROTIX_PYTHON_BINDINGS_H_

#include <pybind11/pybind11.h>

namespace trotix {

void BindEngine(pybind11::module_& module);
void BindGait(pybind11::module_& module);
void BindRun(pybind11::module_& module);
void BindPhysics(pybind11::module_& module);

}  // namespace trotix

#endif  // TROTIX_PYTHON_BINDINGS_H_
