begin
  x := 0;
  while x < 10 do
  begin
    x := x + 1;
    writeln(x)
  end;
  y := x
end;
