begin
  a := 1;
  while x > 0 do
  begin
    x := x - 1
  end;
  b := 2
end;
