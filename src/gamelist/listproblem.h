#pragma once

// Why a game list is not one, and where: lines and columns from 1.
struct listproblem {
    bool found = false;
    long long line = 0;
    long long column = 0;
    char reason[200] = "";
};
