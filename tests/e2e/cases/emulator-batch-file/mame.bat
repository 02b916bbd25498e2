@echo off
echo %OS%
