#pragma once

#include <cstdint>
#include <vector>

namespace image {

/// One polled HART variable or command, as the converter's HART master reads it (76 bytes).
struct THart_Var_Place {
    uint64_t device_address = 0;
    uint32_t preamble_count = 0;
    uint32_t Var_Type = 0;
    uint32_t variable_number = 0;
    uint32_t variable_transducer_serial_number = 0; // 24 bits in the image
    uint8_t variable_limits = 0;
    float variable_upper_range = 0;
    float variable_lower_range = 0;
    float variable_upper_transducer_limit = 0;
    float variable_lower_transducer_limit = 0;
    float variable_damping_value = 0;
    float variable_minimum_span = 0;
    uint32_t TimeOut = 0;
    uint8_t variable_units = 0;
    uint8_t variable_classification = 0;
    uint8_t variable_family = 0;
    uint8_t variable_properties = 0;
    uint8_t variable_status = 0;
    uint8_t spare[3] = {0, 0, 0};
    uint32_t params_add = 0;
    std::vector<uint8_t> params; // written after all records
    uint32_t params_length = 0;
    uint32_t position = 0;
    uint32_t operation = 0;
};

/// The HART master's work list: a 36-byte header, then the records, then their request bytes.
struct THart_Bank {
    uint32_t var_number = 0;
    uint32_t hart_var_place_add = 0;
    std::vector<THart_Var_Place> hart_var_place;
    uint32_t routing_rules_number = 0;
    uint32_t routing_rules_add = 0;
    uint32_t Hart_type = 1;
    uint64_t address = 0;
    uint32_t retry_limit = 0;
    uint32_t slave_info_address = 0;
};

} // namespace image
