#pragma once

void create_menu();
void menu(int value);
