#include "experiments/driver.hpp"
#include "io/startup.hpp"

int main() {
    io::start_runtime();
    return experiments::run_driver(experiments::program_state(), io::units());
}
